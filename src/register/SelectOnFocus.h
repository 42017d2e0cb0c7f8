#pragma once

#include <Qt>

class QLineEdit;

namespace vanta {

// Selects the whole text of a box that has just got the focus. When the
// focus came with a mouse click the click would place the cursor right
// after, so the selection is repeated once the click has been handled.
void selectAllOnFocus(QLineEdit *edit, Qt::FocusReason reason);

} // namespace vanta
