#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>
#include <vector>

namespace vanta::db {
class Store;
}
namespace vanta::sale {
class clsSaleItems;
}

namespace vanta::tax {

// The agency the fixed-rate tax is recorded under.
inline const QString kFixedTaxAgency = QStringLiteral("Fixed Tax");

// What one agency collects on a sale, in whole cents.
struct AgencyTax {
    QString agency; // `Tax Agencies` name ("" for a missing agency)
    qint64 cents = 0;
    bool operator==(const AgencyTax &) const = default;
};

// The tax of a sale, worked out once: what the register shows, what the
// customer is charged and stored on the sale (`cents`), and the same amount
// split among the agencies that collect it.
struct SaleTax {
    double goods = 0;    // tax of the lines, unrounded
    double shipping = 0; // tax of the shipping charge, unrounded
    qint64 cents = 0;    // the tax shown and charged
    std::vector<AgencyTax> agencies; // in the order they arise; they add up to `cents`
    bool operator==(const SaleTax &) const = default;
};

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
// of each tax type that charged it.
SaleTax ComputeSaleTax(db::Store &store, const sale::clsSaleItems &items, std::optional<qint32> customer,
                       double shipping);

} // namespace vanta::tax
