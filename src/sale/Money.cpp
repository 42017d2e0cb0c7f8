#include "sale/Money.h"

#include "platform/Currency.h"

#include <QString>

namespace vanta::sale {

Money Money::fromDollars(double dollars) { return Money(toCents(dollars)); }

Money Money::fromSingle(float dollars) { return fromDollars(QString::number(dollars, 'g', 7).toDouble()); }

Money lineSubtotal(Money price, double qty, double discountPercent)
{
    // In cents, so the only rounding is the last one.
    return Money::fromDollars(double(price.cents()) * qty * (1.0 - discountPercent / 100.0) / 100.0);
}

} // namespace vanta::sale
