#include "sale/Refund.h"

#include <cmath>

namespace vanta::sale {

namespace {

// The whole cents that `units` of the `sold` units have reached.
qint64 reached(qint64 paidCents, double sold, double units)
{
    if (units >= sold - kQuantitySlack)
        return paidCents;
    if (units <= kQuantitySlack)
        return 0;
    return qint64(std::trunc(double(paidCents) * units / sold));
}

} // namespace

qint64 refundShare(qint64 paidCents, double sold, double returned, double qty)
{
    if (sold <= 0 || qty <= 0)
        return 0;
    return reached(paidCents, sold, returned + qty) - reached(paidCents, sold, returned);
}

std::vector<AgencyTax> refundShare(const std::vector<AgencyTax> &paid, double sold, double returned, double qty)
{
    std::vector<AgencyTax> shares;
    for (const AgencyTax &agency : paid)
        if (const qint64 cents = refundShare(agency.cents, sold, returned, qty))
            shares.push_back({agency.agency, cents});
    return shares;
}

} // namespace vanta::sale
