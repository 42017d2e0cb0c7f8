#include "register/SelectOnFocus.h"

#include <QLineEdit>
#include <QTimer>

namespace vanta {

void selectAllOnFocus(QLineEdit *edit, Qt::FocusReason reason)
{
    edit->selectAll();
    if (reason == Qt::MouseFocusReason)
        QTimer::singleShot(0, edit, [edit] {
            if (edit->hasFocus())
                edit->selectAll();
        });
}

} // namespace vanta
