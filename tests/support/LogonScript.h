#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace vanta::test {

// Fills the logon dialog as an employee would (number, password, OK) and
// gives the dialog's result.
inline int logOnWith(QDialog &dlg, const QString &number, const QString &password)
{
    QTest::keyClicks(dlg.findChild<QLineEdit *>("txtEmployee"), number);
    QTest::keyClicks(dlg.findChild<QLineEdit *>("txtPassword"), password);
    QTest::mouseClick(dlg.findChild<QPushButton *>("cmdOK"), Qt::LeftButton);
    return dlg.result();
}

} // namespace vanta::test
