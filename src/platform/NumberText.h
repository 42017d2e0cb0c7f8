#pragma once

#include <QString>

namespace vanta {

// The number a text starts with ("3 pcs" -> 3, "abc" -> 0), read the way
// the older code read numbers from text: blanks, tabs and line feeds are
// skipped and reading stops at the first character that cannot continue the
// number.
double leadingNumber(const QString &text);

} // namespace vanta
