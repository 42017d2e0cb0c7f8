#pragma once

#include <QString>
#include <QtGlobal>
#include <vector>

namespace vanta::sale {

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

} // namespace vanta::sale
