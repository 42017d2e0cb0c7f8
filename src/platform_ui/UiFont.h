#pragma once

#include <QFont>

namespace vanta::platform {

// The desktop's own UI font, at a size the design gives (points; 0: the
// desktop's size). The design's Tahoma is seldom installed on a Linux
// desktop, and asking for it falls back to some other family without a word.
QFont uiFont(qreal pointSize = 0);

} // namespace vanta::platform
