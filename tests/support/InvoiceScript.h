#pragma once

#include "support/ScriptedDialogRunner.h"

#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QTest>

namespace vanta::test {

// The invoice dialog's next run: its lists filled where empty, then its
// Process pressed.
inline void processInvoiceDialog(ScriptedDialogRunner &dialogs)
{
    dialogs.then([](QDialog &dlg) {
        for (const char *list : {"cboTerms", "cboShippingMethod"}) {
            QComboBox *c = dlg.findChild<QComboBox *>(list);
            if (c->currentIndex() < 0)
                c->setCurrentIndex(0);
        }
        QTest::mouseClick(dlg.findChild<QPushButton *>("cmdProcess"), Qt::LeftButton);
        return dlg.result();
    });
}

} // namespace vanta::test
