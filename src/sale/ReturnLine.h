#pragma once

#include "sale/StoredSale.h"
#include "sale/clsSaleItem.h"

namespace vanta::sale {

// The sale line that gives back `qty` units of a sold line: a negative
// quantity at the unit price sold at, refunding its share of what was paid
// (its subtotal after the discount and its tax by agency, as refundShare
// gives them). The discount shown is the one given then.
clsSaleItem returnLine(const StoredSale &sale, const SoldLine &line, double qty);

} // namespace vanta::sale
