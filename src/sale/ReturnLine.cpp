#include "sale/ReturnLine.h"

#include "platform/Currency.h"
#include "sale/LineSource.h"
#include "sale/Refund.h"

#include <algorithm>
#include <cmath>

namespace vanta::sale {

clsSaleItem returnLine(const StoredSale &sale, const SoldLine &line, double qty)
{
    if (qty <= 0 || qty > line.returnable() + kQuantitySlack)
        throw ReturnRefused(line.returnable() <= kQuantitySlack
                                ? QStringLiteral("\"%1\" from sale %2 has been returned already.").arg(line.name).arg(sale.id)
                                : QStringLiteral("Only %1 of \"%2\" from sale %3 can be returned.")
                                      .arg(formatPlain(line.returnable()), line.name)
                                      .arg(sale.id));
    if (!line.fractions && qty != std::floor(qty))
        throw ReturnRefused(QStringLiteral("\"%1\" is returned in whole units.").arg(line.name));
    clsSaleItem l;
    Good good = line.good;
    good.returnOf = line.soldId;
    l.setGood(good);
    l.setName(line.name);
    l.setFullName(line.name);
    l.setUOM(line.uom);
    l.setFullUOM(line.fullUom);
    l.setPrice(line.price);
    l.setQty(-float(qty));
    l.setTaxable(line.taxed);
    l.setReturnSale(sale.id);
    const LinePaid &paid = line.paid;
    l.setDiscount(float(paid.discount));
    l.setSubtotal(Money::fromCents(-refundShare(paid.subtotal.cents(), line.sold, line.returned, qty)));
    l.setTaxRefund(refundShare(paid.tax, line.sold, line.returned, qty));
    return l;
}

std::optional<clsSaleItem> pricedToday(db::Store &store, const Good &good, double qty)
{
    clsSaleItem l;
    l.setGood({good.kind, good.id, good.options});
    l.setQty(float(qty));
    if (good.isVariant()) {
        const std::optional<SubItemRecord> sub = readSubItem(store, good.id);
        const std::optional<ItemRecord> parent = sub ? readItem(store, sub->itemId) : std::nullopt;
        if (!parent)
            return std::nullopt;
        l.setName(GetSubItemName(store, *parent, good.id));
        copyItemDetails(store, l, *parent);
        priceSubItemLine(store, l, *parent, float(qty));
        return l;
    }
    const std::optional<ItemRecord> item = readItem(store, good.id);
    if (!item)
        return std::nullopt;
    l.setName(good.hasOptions() ? GetOptionName(store, item->name, good.options[0], good.options[1], good.options[2])
                                : item->name);
    copyItemDetails(store, l, *item);
    priceItemLine(store, l, *item);
    return l;
}

clsSaleItem givenBackWithoutReceipt(clsSaleItem line, std::vector<AgencyTax> tax)
{
    Good good = line.good();
    good.returnOf = Good::kNoReceipt;
    line.setGood(good);
    line.setQty(-line.qty());
    line.setSubtotal(Money::fromCents(-line.Subtotal().cents()));
    line.setTaxRefund(std::move(tax));
    return line;
}

std::vector<AgencyTax> taxRefunds(const clsSaleItems &lines)
{
    std::vector<AgencyTax> refunds;
    for (const auto &line : lines)
        for (const AgencyTax &part : line->TaxRefund()) {
            auto it = std::find_if(refunds.begin(), refunds.end(),
                                   [&](const AgencyTax &r) { return r.agency == part.agency; });
            if (it == refunds.end())
                refunds.push_back(part);
            else
                it->cents += part.cents;
        }
    return refunds;
}

} // namespace vanta::sale
