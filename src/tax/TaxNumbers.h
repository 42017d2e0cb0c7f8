#pragma once

#include <QVariant>
#include <QtGlobal>

namespace vanta::tax {

// Rounds to cents with a chosen round-up digit (module "modPOS"): the value
// plus (10 - (digit + 1)) thousandths, times 100, rounded down, divided by
// 100. Digit 4 rounds half a cent up; digit d rounds up from (d + 1) tenths
// of a cent. A digit for which 10 - (digit + 1) leaves the 16-bit range
// throws VantaError 6 "Overflow".
double CustomRound(double value, qint16 digit);

// A number as a 16-bit integer; outside the range throws VantaError 6
// "Overflow".
qint16 toInteger(qint64 value);

// A stored Integer column read as a 16-bit number: null reads 0, a value
// outside the 16-bit range throws VantaError 6 "Overflow".
qint16 asInteger(const QVariant &value);

// The fixed tax rate of a line: a stored `sales tax` of 1 or more is a
// percentage, a smaller one is already a fraction.
double FixedTaxRate(double salesTax);

} // namespace vanta::tax
