#pragma once

#include <QString>
#include <vector>

class QImage;

namespace vanta::posting {

// How a text is coded: its head in code set B (printable ASCII), a tail of
// 4 digits or more (an even number of them) in code set C, two digits to a
// character, which halves the width of a sale number.
struct Code128Parts {
    QString setB;
    QString setC; // digits only, an even number of them; may be empty
};
Code128Parts code128Parts(const QString &text);

// A text as a Code 128 symbol, as the widths in modules of its bars and
// spaces in turn, from the start character's first bar to the stop
// character's last; no quiet zones. Characters outside code set B are left
// out.
std::vector<int> code128Widths(const QString &text);

// The symbol drawn black on white with quiet zones of 10 modules on both
// sides, `module` pixels to a module and `height` pixels high.
QImage code128Image(const QString &text, int module, int height);

} // namespace vanta::posting
