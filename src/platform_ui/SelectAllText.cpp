#include "platform_ui/SelectAllText.h"

#include "diagnostics/Trace.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTimer>

namespace vanta::platform {

void selectAllOnFocus(QLineEdit *edit, Qt::FocusReason reason)
{
    edit->selectAll();
    if (reason == Qt::MouseFocusReason)
        QTimer::singleShot(0, edit, [edit] {
            if (edit->hasFocus())
                edit->selectAll();
        });
}

void SelectAllText(Qt::FocusReason reason)
{
    diag::run("modPOS", "SelectAllText", [&] {
        QWidget *w = QApplication::focusWidget();
        if (auto *edit = qobject_cast<QLineEdit *>(w))
            selectAllOnFocus(edit, reason);
        else if (auto *combo = qobject_cast<QComboBox *>(w); combo && combo->lineEdit())
            selectAllOnFocus(combo->lineEdit(), reason);
    });
}

} // namespace vanta::platform
