#include "security/frmLogin.h"

#include "security/SecurityFixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace vanta;
using namespace vanta::security;
using platform::Icon;

namespace {

class LoginDialog : public test::SecurityTest {
protected:
    void SetUp() override
    {
        SecurityTest::SetUp();
        addEmployee(12, "Ann", "B", "Cole", "Secret");
        addEmployee(7, "Dan", QVariant(), "Ford", "pw");
        addEmployee(30, "Old", "C", "Timer", "pw", false);
        addPermissions(12, {"Sell Items"});
    }

    frmLogin::Services services()
    {
        return {session.storeOrNone(), session.identity, prompt, dialogs, [this] { ++logons; }};
    }

    // Opens the dialog as the register would and makes it the active window.
    void open(frmLogin &dlg)
    {
        dlg.show();
        QApplication::setActiveWindow(&dlg);
    }

    template <typename T>
    static T *child(QDialog &dlg, const char *name)
    {
        T *w = dlg.findChild<T *>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    static QStringList listTexts(QListWidget *list)
    {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }

    void expectBox(const QString &text, Icon icon, const QString &title)
    {
        ASSERT_GT(prompt.count(), 0);
        EXPECT_EQ(prompt.last().text, text);
        EXPECT_EQ(prompt.last().icon, icon);
        EXPECT_EQ(prompt.last().title, title);
    }

    int logons = 0; // the register's after-logon step
};

} // namespace

TEST_F(LoginDialog, CashierTypesNumberAndPassword)
{
    frmLogin dlg(services());
    dialogs.then([&](QDialog &d) {
        EXPECT_EQ(d.windowTitle(), "Log In");
        QApplication::setActiveWindow(&d);
        auto *number = child<QLineEdit>(d, "txtEmployee");
        auto *password = child<QLineEdit>(d, "txtPassword");
        EXPECT_EQ(password->echoMode(), QLineEdit::Password);
        EXPECT_EQ(child<QPushButton>(d, "cmdCancel")->text(), "&Cancel");
        EXPECT_EQ(QApplication::focusWidget(), number);

        // Only ".", "/", digits and Backspace reach the number box.
        QTest::keyClicks(number, "1a x2/.-9");
        EXPECT_EQ(number->text(), "12/.9");
        for (int i = 0; i < 4; ++i)
            QTest::keyClick(number, Qt::Key_Backspace);
        EXPECT_EQ(number->text(), "1");
        QTest::keyClicks(number, "2");
        QTest::keyClick(number, Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), password);

        QTest::keyClicks(password, "sECRET");
        QTest::keyClick(password, Qt::Key_Enter);
        return d.result();
    });

    EXPECT_EQ(dlg.run(), QDialog::Accepted);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(prompt.count(), 0);
    EXPECT_EQ(session.identity.employeeNumber, 12);
    EXPECT_EQ(session.identity.employeeName, "Ann B Cole");
    EXPECT_EQ(logons, 1);
    EXPECT_TRUE(session.identity.permissions.SellItems());
}

TEST_F(LoginDialog, ChoosingFromTheListFillsTheNumber)
{
    frmLogin dlg(services());
    open(dlg);
    auto *list = child<QListWidget>(dlg, "lstEmployees");
    auto *number = child<QLineEdit>(dlg, "txtEmployee");
    auto *password = child<QLineEdit>(dlg, "txtPassword");
    ASSERT_EQ(listTexts(list), QStringList({"Cole , Ann B", "Ford , Dan ", "Timer , Old C"}));
    EXPECT_EQ(list->item(1)->data(Qt::UserRole).toInt(), 7);

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    EXPECT_EQ(number->text(), "7");
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(number->text(), "12");

    // Entering either box selects its whole text, so typing replaces it.
    QTest::keyClick(list, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), number);
    EXPECT_EQ(number->selectedText(), "12");
    QTest::keyClicks(number, "7");
    EXPECT_EQ(number->text(), "7");
    password->setText("old");
    QTest::keyClick(number, Qt::Key_Return);
    EXPECT_EQ(password->selectedText(), "old");

    QTest::keyClicks(password, "PW");
    QTest::mouseClick(child<QPushButton>(dlg, "cmdOK"), Qt::LeftButton);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(session.identity.employeeNumber, 7);
    EXPECT_EQ(session.identity.employeeName, "Dan  Ford");
}

TEST_F(LoginDialog, RefusalsKeepTheDialogOpen)
{
    frmLogin dlg(services());
    open(dlg);
    auto *list = child<QListWidget>(dlg, "lstEmployees");
    auto *number = child<QLineEdit>(dlg, "txtEmployee");
    auto *password = child<QLineEdit>(dlg, "txtPassword");
    auto *ok = child<QPushButton>(dlg, "cmdOK");

    QTest::keyClick(password, Qt::Key_Return);
    expectBox("You must enter an employee number!", Icon::Exclamation, "Enter Employee Number");

    QTest::mouseClick(ok, Qt::LeftButton);
    expectBox("You must select an employee!", Icon::Exclamation, "Login");
    EXPECT_EQ(QApplication::focusWidget(), list);

    QTest::keyClicks(number, "99");
    QTest::mouseClick(ok, Qt::LeftButton);
    expectBox("The employee number you entered was not found in the database!", Icon::Critical, "Login");

    number->setText("12");
    QTest::keyClicks(password, "wrong");
    QTest::keyClick(password, Qt::Key_Return);
    expectBox("The password you have entered is incorrect!", Icon::Critical, "Login");
    EXPECT_EQ(QApplication::focusWidget(), password);
    EXPECT_EQ(password->selectedText(), "wrong");

    number->setText("30");
    password->setText("pw");
    QTest::mouseClick(ok, Qt::LeftButton);
    expectBox("The employee 'Old C Timer' is no longer active and cannot login!", Icon::Critical, "Login");

    EXPECT_EQ(prompt.count(), 5);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_FALSE(session.loggedOn());
    EXPECT_EQ(session.identity.employeeName, "None");

    // Cancel closes without a logon; the register then closes itself.
    QTest::mouseClick(child<QPushButton>(dlg, "cmdCancel"), Qt::LeftButton);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_FALSE(session.loggedOn());
}

TEST_F(LoginDialog, ListIsReadAfreshEachTimeTheDialogOpens)
{
    test::TempStore empty;
    session.openStore(empty.path());
    frmLogin dlg(services());
    open(dlg);
    auto *list = child<QListWidget>(dlg, "lstEmployees");
    EXPECT_EQ(list->count(), 0);
    ASSERT_EQ(prompt.count(), 1);
    expectBox("No Employees where found the database!", Icon::None, "Vanta! Has Found a Problem!");
    dlg.reject();

    test::insertRow(empty.db(), "Employees", {"Employee ID", "First Name", "Last Name"}, {4, "New", "Hire"});
    open(dlg);
    EXPECT_EQ(listTexts(list), QStringList({"Hire , New "}));
    EXPECT_EQ(prompt.count(), 1);
}
