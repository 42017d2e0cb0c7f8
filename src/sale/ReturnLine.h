#pragma once

#include "sale/StoredSale.h"
#include "sale/clsSaleItems.h"

namespace vanta::sale {

// The sale line that gives back `qty` units of a sold line: a negative
// quantity at the unit price sold at, refunding its share of what was paid
// (its subtotal after the discount and its tax by agency, as refundShare
// gives them). The discount shown is the one given then. A quantity of 0
// or less, beyond what is left to return, or with a part of a unit where
// the good is counted in whole units, is refused (ReturnRefused).
clsSaleItem returnLine(const StoredSale &sale, const SoldLine &line, double qty);

// The tax the return lines of a sale refund, by agency (positive cents, in
// the order the agencies first appear).
std::vector<AgencyTax> taxRefunds(const clsSaleItems &lines);

} // namespace vanta::sale
