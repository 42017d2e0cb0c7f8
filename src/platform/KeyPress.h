#pragma once

#include <QString>

namespace vanta::platform {

// One key press as the register's key handler sees it: the virtual key code
// (digits and capital letters are their character codes; 17 Ctrl, 220 "\",
// 221 "]", 54 "6"), the shift state (1 Shift, 2 Ctrl, 4 Alt, added up) and
// the character the key typed, if any.
struct KeyPress {
    int keyCode = 0;
    int shift = 0;
    QString text;
};

} // namespace vanta::platform
