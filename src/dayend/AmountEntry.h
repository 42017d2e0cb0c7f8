#pragma once

#include <QString>
#include <optional>

namespace vanta::dayend {

// The most a drawer amount may be: a float, a count, cash paid in or out.
constexpr qint64 kMostDrawerCents = 100'000'000; // $1,000,000.00

// An amount of money typed at the register: its cents, or why it was
// refused, in plain words for the cashier.
struct AmountEntry {
    std::optional<qint64> cents;
    QString problem;
};

// Reads a typed amount ("25", "$1,250.50"). Refused: nothing typed, letters,
// more than two decimals, below 0, 0 unless `zeroAllowed`, over
// $1,000,000.00.
AmountEntry readDrawerAmount(const QString &text, bool zeroAllowed);

} // namespace vanta::dayend
