#pragma once

#include "sale/SaleTaxAmounts.h"

#include <optional>
#include <vector>

namespace vanta::db {
class Store;
}
namespace vanta::sale {
class clsSaleItems;
}

namespace vanta::tax {

// The tax a sale was charged, line by line: what each agency collected on
// each line (in the lines' order) and on the shipping.
struct TaxByLine {
    std::vector<std::vector<sale::AgencyTax>> lines;
    std::vector<sale::AgencyTax> shipping;
};

// Shares each agency's amount of the tax charged (`charged`, as
// ComputeSaleTax gave it for these lines, customer and shipping) among the
// lines and the shipping, in proportion to what each was taxed before
// rounding. The shares of an agency add up to its amount exactly: each
// takes its whole cents, the largest remainders the cents left over. An
// agency amount that nothing was taxed for goes to the shipping. A return
// line's share is what it refunds (its TaxRefund, below 0); the lines sold
// now share the rest.
TaxByLine SplitTaxByLine(db::Store &store, const sale::clsSaleItems &items, std::optional<qint32> customer,
                         double shipping, const sale::SaleTax &charged);

} // namespace vanta::tax
