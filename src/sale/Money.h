#pragma once

#include <QtGlobal>
#include <compare>

namespace vanta::sale {

// An amount of money in whole cents. Amounts enter from two edges only: the
// store's single-precision money columns (fromSingle) and numbers worked
// out or typed in dollars (fromDollars); each is rounded to the cent there,
// halves away from zero.
class Money {
public:
    constexpr Money() = default;
    static constexpr Money fromCents(qint64 cents) { return Money(cents); }
    // A computed or typed amount to the nearest cent.
    static Money fromDollars(double dollars);
    // A stored single-precision amount, read as the decimal it was written
    // as (7 significant digits: a stored 9.995 is 9.995, not 9.99499988),
    // to the nearest cent.
    static Money fromSingle(float dollars);

    constexpr qint64 cents() const { return mCents; }
    constexpr double dollars() const { return double(mCents) / 100.0; }
    // The amount for a single-precision money column.
    float single() const { return float(dollars()); }

    constexpr Money operator+(Money o) const { return Money(mCents + o.mCents); }
    constexpr Money operator-(Money o) const { return Money(mCents - o.mCents); }
    constexpr Money &operator+=(Money o)
    {
        mCents += o.mCents;
        return *this;
    }
    constexpr auto operator<=>(const Money &) const = default;

private:
    constexpr explicit Money(qint64 cents) : mCents(cents) {}
    qint64 mCents = 0;
};

// A single-precision number (a stored amount, a line's quantity) as the
// decimal it was written as: 7 significant digits, so 3.3 is 3.3 and not
// 3.29999995.
double asWritten(float value);

// The line subtotal rule: unit price times quantity (as written), less the
// discount percentage, to the nearest cent (halves away from zero).
Money lineSubtotal(Money price, float qty, double discountPercent = 0);

} // namespace vanta::sale
