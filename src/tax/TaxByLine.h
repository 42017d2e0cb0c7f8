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

// What one agency collects on a sale in one jurisdiction, in whole cents.
// The jurisdiction is the `jurisdictions` row the customer matched; it is
// empty for fixed-rate tax, for tax types that apply everywhere and for
// refunds whose sale recorded none.
struct PlaceTax {
    QString agency;
    QString jurisdiction;
    qint64 cents = 0;
    bool operator==(const PlaceTax &) const = default;
};

// The tax a sale was charged, line by line: what each agency collected on
// each line (in the lines' order) and on the shipping; and by jurisdiction.
struct TaxByLine {
    std::vector<std::vector<sale::AgencyTax>> lines;
    std::vector<sale::AgencyTax> shipping;
    // In the order the agencies are charged, none of 0; they add up to each
    // agency's amount.
    std::vector<PlaceTax> places;
};

// Shares each agency's amount of the tax charged (`charged`, as
// ComputeSaleTax gave it for these lines, customer and shipping) among the
// lines and the shipping, in proportion to what each was taxed before
// rounding. The shares of an agency add up to its amount exactly: each
// takes its whole cents, the largest remainders the cents left over. An
// agency amount that nothing was taxed for goes to the shipping. A return
// line's share is what it refunds (its TaxRefund, below 0); the lines sold
// now share the rest.
// By jurisdiction the same way: what an agency charges on the goods and
// shipping sold now is shared among the jurisdictions its tax types matched,
// in proportion to what each taxed before rounding. A refund is set against
// the jurisdictions its sale was posted under (in proportion to what each
// collected there), a refund without a receipt against those of the goods
// sold now; with none known it is recorded without a jurisdiction.
TaxByLine SplitTaxByLine(db::Store &store, const sale::clsSaleItems &items, std::optional<qint32> customer,
                         double shipping, const sale::SaleTax &charged);

} // namespace vanta::tax
