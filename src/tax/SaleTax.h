#pragma once

#include "sale/SaleTaxAmounts.h"

#include <QString>
#include <optional>

namespace vanta::db {
class Store;
}
namespace vanta::sale {
class clsSaleItems;
}

namespace vanta::tax {

// The agency the fixed-rate tax is recorded under.
inline const QString kFixedTaxAgency = QStringLiteral("Fixed Tax");

using AgencyTax = sale::AgencyTax;
using SaleTax = sale::SaleTax;

// The sale's tax. None for a sale without a taxable customer. By the
// store's tax method:
// - 2, fixed rate: the taxable lines (TaxableLines) at the fixed rate;
// - 3, tax rules: the taxable lines by their rules;
// - 1: no tax on the lines;
// - 0 or any other: no tax at all.
// With methods 1 to 3 and taxed shipping (`taxable shipping`), the shipping
// charge is taxed too: at the fixed rate (read as for the lines) under 1
// and 2, by the shipping tax rule under 3. Fixed-rate tax goes to the agency
// "Fixed Tax" (under method 2 even when it is 0), tax by rules to the agency
// of each tax type that charged it. Return lines are never taxed again:
// the tax they were charged when sold (their TaxRefund) is taken off each
// agency's amount, whether the customer is taxable today or not, so an
// agency may end below 0.
SaleTax ComputeSaleTax(db::Store &store, const sale::clsSaleItems &items, std::optional<qint32> customer,
                       double shipping);

} // namespace vanta::tax
