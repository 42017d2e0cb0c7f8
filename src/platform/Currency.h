#pragma once

#include "platform/NumberText.h"

#include <QString>
#include <optional>

namespace vanta {

// Money and number texts as the register shows and reads them.

// Whole cents of an amount, rounded as the two-decimal formats round it
// (half away from zero, read to 15 significant digits first): an amount's
// cents are exactly what its text shows. Throws VantaError (overflow) for
// amounts that are not finite or too large to show.
qint64 toCents(double amount);

// "$1,234.50": dollar sign, thousands separators, two decimals; negatives as
// "-$1.00". Rounds half away from zero at the cent, reading the amount to 15
// significant digits first so that 1.005 shows "$1.01". Throws VantaError
// (overflow) for amounts that are not finite or too large to show.
QString formatCurrency(double amount);

// The same amount without the dollar sign: "#,##0.00" ("1,234.50", "-1.00").
QString formatNumber(double amount);

// The same two texts for an amount in whole cents.
QString formatCurrencyCents(qint64 cents);
QString formatNumberCents(qint64 cents);

// A number as short plain text, up to 7 significant digits ("3", "2.5",
// "12.5"): how quantities and discount percentages are written into fields.
QString formatPlain(double value);

// The value of a numeric text: blanks around it, a leading sign, a dollar
// sign, thousands separators between digits, a decimal part, an exponent or
// enclosing parentheses (negative) are accepted; anything else, or a value
// that is not finite, gives no value.
std::optional<double> parseNumber(const QString &text);

// True when parseNumber gives a value.
bool isNumeric(const QString &text);

// Reads a money text back ("$1,234.50" → 1234.5, "-$1.00" → -1); throws
// VantaError (type mismatch) when the text is not numeric.
double parseCurrency(const QString &text);

} // namespace vanta
