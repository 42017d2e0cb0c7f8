#pragma once

#include "platform_ui/AccessibleNames.h"
#include "register/POSItem.h"
#include "register/frmPOS.h"
#include "security/SecuritySwitch.h"
#include "storegen/DemoStore.h"
#include "support/MachineSpeedKeys.h"
#include "support/SessionFixture.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace vanta::test {

// The register window on its own copy of the demo store, with its own
// settings and Users.ini, scripted boxes and dialogs. The window is shown
// (headless) so that keys reach it as they would from the keyboard.
class RegisterTest : public SessionTest {
protected:
    RegisterTest()
    {
        storegen::fillDemoStore(ts.db());
        typeAtMachineSpeed(settings);
    }

    void TearDown() override
    {
        if (pos) {
            // The register names every field a cashier types into.
            for (const QWidget *field : platform::typedFields(pos.get()))
                EXPECT_FALSE(field->accessibleName().isEmpty()) << field->objectName().toStdString();
            pos->hide();
            pos.reset();
        }
    }

    // Opens the register on the demo store (security as given).
    frmPOS &open(bool security = false)
    {
        security::SaveSecurity(settings, security);
        pos = std::make_unique<frmPOS>(session, ts.path());
        pos->Form_Load();
        pos->show();
        QApplication::setActiveWindow(pos.get());
        return *pos;
    }

    template <typename T>
    T *child(const char *name) const
    {
        T *w = pos->findChild<T *>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QString label(const char *name) const { return child<QLabel>(name)->text(); }
    QPushButton *button(const char *name) const { return child<QPushButton>(name); }

    // Keys as the window system delivers them, through the window.
    void key(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(pos->windowHandle(), k, mods);
    }
    void type(const QString &text)
    {
        for (QChar c : text)
            QTest::keyClick(pos->windowHandle(), c.toLatin1());
    }
    // A keyboard-wedge scan: Ctrl+] code Ctrl+\ (or Ctrl+Shift+6).
    void scan(const QString &code, bool caretEnd = false)
    {
        key(Qt::Key_BracketRight, Qt::ControlModifier);
        type(code);
        if (caretEnd)
            key(Qt::Key_AsciiCircum, Qt::ControlModifier | Qt::ShiftModifier);
        else
            key(Qt::Key_Backslash, Qt::ControlModifier);
    }

    // The cashier's choices in the lists, by the text shown (a customer's
    // by its start).
    void choosePayType(const QString &name)
    {
        QComboBox *c = child<QComboBox>("cmbPayType");
        c->setCurrentIndex(c->findText(name));
    }
    void chooseCustomer(const QString &name)
    {
        QComboBox *c = child<QComboBox>("cmbCustomers");
        c->setCurrentIndex(c->findText(name, Qt::MatchStartsWith));
    }
    void process() { QTest::mouseClick(button("cmdProcessTransaction"), Qt::LeftButton); }
    // Chooses the pay type, types the tender (unless left as the register
    // fills it) and processes the sale.
    void pay(const QString &payType, const QString &tendered = QString())
    {
        choosePayType(payType);
        if (!tendered.isEmpty())
            child<QLineEdit>("txtAmountTendered")->setText(tendered);
        process();
    }
    // A sale row selected as by the cashier: its quantity box takes the focus.
    void selectRow(int index)
    {
        pos->row(index)->findChild<QLineEdit *>("txtQty")->setFocus();
        QApplication::processEvents();
    }

    QStringList rowNames() const
    {
        QStringList names;
        for (int i = 0; i < frmPOS::RowCount; ++i)
            if (pos->row(i)->isVisibleTo(pos.get()))
                names << pos->row(i)->ItemName();
        return names;
    }
    const sale::clsSaleItems &lines() const { return session.sale.lines(); }

    std::unique_ptr<frmPOS> pos;
};

} // namespace vanta::test
