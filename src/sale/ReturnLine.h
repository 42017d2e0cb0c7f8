#pragma once

#include "sale/StoredSale.h"
#include "sale/clsSaleItems.h"

#include <optional>

namespace vanta::db {
class Store;
}

namespace vanta::sale {

// The sale line that gives back `qty` units of a sold line: a negative
// quantity at the unit price sold at, refunding its share of what was paid
// (its subtotal after the discount and its tax by agency, as refundShare
// gives them). The discount shown is the one given then. A quantity of 0
// or less, beyond what is left to return, or with a part of a unit where
// the good is counted in whole units, is refused (ReturnRefused).
clsSaleItem returnLine(const StoredSale &sale, const SoldLine &line, double qty);

// What `qty` of a good would be sold at today (its name, units, tax
// details and price as the register rings it up): the line a return
// without a receipt gives back. None when the store lacks the good.
std::optional<clsSaleItem> pricedToday(db::Store &store, const Good &good, double qty);
// That line given back without a receipt: the same quantity and subtotal
// below 0, refunding `tax` (today's tax on it, by agency).
clsSaleItem givenBackWithoutReceipt(clsSaleItem line, std::vector<AgencyTax> tax);

// The tax the return lines of a sale refund, by agency (positive cents, in
// the order the agencies first appear).
std::vector<AgencyTax> taxRefunds(const clsSaleItems &lines);

} // namespace vanta::sale
