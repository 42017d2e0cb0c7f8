#pragma once

#include <QString>

namespace vanta {

// The program's title: the window caption, the title of any box given none
// of its own and the source of the program's own errors.
inline QString applicationTitle() { return QStringLiteral("Vanta! POS"); }

} // namespace vanta
