#include "sale/Sale.h"

#include "platform/Currency.h"

#include <algorithm>

namespace vanta::sale {

PayKind PayType::kindOfName(const QString &name)
{
    if (name.isEmpty())
        return PayKind::None;
    if (name == QLatin1String("Cash"))
        return PayKind::Cash;
    if (name.compare(QLatin1String("Invoice"), Qt::CaseInsensitive) == 0)
        return PayKind::Invoice;
    return PayKind::Other;
}

int Sale::observe(Observer observer)
{
    mObservers.emplace_back(mNextObserver, std::move(observer));
    return mNextObserver++;
}

void Sale::unobserve(int id)
{
    std::erase_if(mObservers, [id](const auto &o) { return o.first == id; });
}

void Sale::setNumber(qint32 number)
{
    mNumber = number;
    changed(Number);
}

clsSaleItems::Line Sale::line(int position) const
{
    return position >= 1 && position <= mLines.Count() ? mLines.Item(position) : nullptr;
}

void Sale::addLine(clsSaleItems::Line line)
{
    mLines.AddSaleItem(std::move(line));
    changed(Lines);
}

void Sale::lineChanged() { changed(Lines); }

void Sale::removeLine(int position)
{
    if (const clsSaleItems::Line l = line(position)) {
        mLines.RemoveSaleItem(l->good());
        changed(Lines);
    }
}

void Sale::putReturnLines(std::vector<clsSaleItem> lines)
{
    for (clsSaleItem &l : lines) {
        const clsSaleItems::Line existing = mLines.Find(l.good());
        if (l.qty() == 0) {
            if (existing)
                mLines.RemoveSaleItem(l.good());
        } else if (existing) {
            *existing = std::move(l);
        } else {
            mLines.AddSaleItem(std::make_shared<clsSaleItem>(std::move(l)));
        }
    }
    changed(Lines);
}

void Sale::setCustomer(std::optional<qint32> custId)
{
    mCustomer = custId;
    changed(Customer);
}

void Sale::setShipping(const SaleShipping &shipping)
{
    mShipping = shipping;
    changed(Shipping);
}

void Sale::retax() { changed(Tax); }

void Sale::setPayType(const PayType &payType)
{
    mPayType = payType;
    // An invoice is paid later: nothing is tendered now.
    if (payType.kind == PayKind::Invoice)
        mTendered = 0;
    changed(Payment);
}

void Sale::setTendered(qint64 cents)
{
    mTendered = mPayType.kind == PayKind::Invoice ? 0 : std::max<qint64>(cents, 0);
    changed(Payment);
}

qint64 Sale::tenderedCents() const
{
    return refund() && mPayType.kind != PayKind::Invoice ? refundDueCents() : mTendered;
}

SaleTotals Sale::totals() const
{
    Money lines;
    for (const auto &l : mLines)
        lines += l->Subtotal();
    return {lines.cents(), mShipping.chargeCents, mTax.cents};
}

void Sale::emptied()
{
    mLines.Clear();
    mShipping = SaleShipping();
    mTendered = 0;
}

void Sale::clearLines()
{
    emptied();
    changed(Lines | Shipping | Payment);
}

void Sale::startOver(qint32 number)
{
    mNumber = number;
    emptied();
    changed(Number | Lines | Shipping | Payment);
}

void Sale::restore(qint32 number, std::vector<clsSaleItem> lines, std::optional<qint32> customer,
                   const SaleShipping &shipping, const PayType &payType)
{
    mNumber = number;
    emptied();
    for (clsSaleItem &l : lines)
        if (!mLines.Find(l.good()))
            mLines.AddSaleItem(std::make_shared<clsSaleItem>(std::move(l)));
    mCustomer = customer;
    mShipping = shipping;
    mPayType = payType;
    changed(Number | Lines | Customer | Shipping | Payment);
}

void Sale::workOutTax()
{
    mTax = mTaxWork ? mTaxWork(*this) : SaleTax();
}

void Sale::changed(unsigned changes)
{
    if (changes & (Lines | Customer | Shipping | Tax)) {
        workOutTax();
        changes |= Tax;
    }
    // An observer may take itself off while being told: tell a copy.
    const auto observers = mObservers;
    for (const auto &[id, observer] : observers)
        observer(changes);
}

} // namespace vanta::sale
