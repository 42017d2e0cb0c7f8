#pragma once

#include "sale/Money.h"
#include "sale/SaleTaxAmounts.h"

#include <vector>

namespace vanta::sale {

// Quantities are kept to hundredths at most; a single-precision quantity
// may lie a hair off the figure it stands for.
inline constexpr double kQuantitySlack = 0.00005;

// What returning `qty` more units of a sold line refunds of an amount paid
// for all `sold` units, after `returned` units came back before. Each part
// is the whole cents that the units returned so far have reached (rounded
// toward zero) less those of the units returned before, and the last unit
// takes what is left: returning every unit, in any number of parts, refunds
// exactly what was paid and never a cent more.
qint64 refundShare(qint64 paidCents, double sold, double returned, double qty);

// The same for each agency's tax on the line.
std::vector<AgencyTax> refundShare(const std::vector<AgencyTax> &paid, double sold, double returned, double qty);

} // namespace vanta::sale
