#include "sale/ReturnLine.h"

#include "sale/Refund.h"

namespace vanta::sale {

clsSaleItem returnLine(const StoredSale &sale, const SoldLine &line, double qty)
{
    clsSaleItem l;
    Good good = line.good;
    good.returnOf = line.soldId;
    l.setGood(good);
    l.setName(line.name);
    l.setFullName(QStringLiteral("Return: ") + line.name);
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

} // namespace vanta::sale
