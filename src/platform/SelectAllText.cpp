#include "platform/SelectAllText.h"

#include "diagnostics/Trace.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace vanta::platform {

void SelectAllText()
{
    diag::run("modPOS", "SelectAllText", [] {
        // Any failure is ignored: selecting the text is a convenience.
        try {
            QWidget *w = QApplication::focusWidget();
            if (auto *edit = qobject_cast<QLineEdit *>(w))
                edit->selectAll();
            else if (auto *combo = qobject_cast<QComboBox *>(w); combo && combo->lineEdit())
                combo->lineEdit()->selectAll();
            else if (auto *spin = qobject_cast<QAbstractSpinBox *>(w))
                spin->selectAll();
            else if (auto *text = qobject_cast<QTextEdit *>(w))
                text->selectAll();
            else if (auto *plain = qobject_cast<QPlainTextEdit *>(w))
                plain->selectAll();
        } catch (...) {
        }
    });
}

} // namespace vanta::platform
