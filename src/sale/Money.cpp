#include "sale/Money.h"

#include "platform/Currency.h"

#include <QString>

namespace vanta::sale {

Money Money::fromDollars(double dollars) { return Money(toCents(dollars)); }

double asWritten(float value) { return QString::number(value, 'g', 7).toDouble(); }

Money Money::fromSingle(float dollars) { return fromDollars(asWritten(dollars)); }

Money lineSubtotal(Money price, float qty, double discountPercent)
{
    // In cents, so the only rounding is the last one.
    return Money::fromDollars(double(price.cents()) * asWritten(qty) * (1.0 - discountPercent / 100.0) / 100.0);
}

} // namespace vanta::sale
