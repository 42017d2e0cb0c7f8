#pragma once

#include <Qt>

class QLineEdit;

namespace vanta::platform {

// Selects the whole text of a box that has just got the focus. When the
// focus came with a mouse click the click would place the cursor right
// after, so the selection is repeated once the click has been handled.
void selectAllOnFocus(QLineEdit *edit, Qt::FocusReason reason);

// The same for the box that has the focus (a text box or an editable
// list's box); does nothing for other widgets or when nothing has the focus.
void SelectAllText(Qt::FocusReason reason = Qt::OtherFocusReason);

} // namespace vanta::platform
