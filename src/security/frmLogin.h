#pragma once

#include <QDialog>
#include <functional>

class QKeyEvent;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace vanta::db {
class Store;
}
namespace vanta::platform {
class DialogRunner;
class Prompt;
} // namespace vanta::platform

namespace vanta::security {

// The "Log In" dialog: the cashier picks an employee from the list or types
// the employee number, types the password and presses OK. A successful
// logon makes the employee the register's current employee and closes the
// dialog accepted; every refusal keeps it open.
//
// Child widgets, by object name: "lstEmployees" (item data: `Employee ID`),
// "txtEmployee", "txtPassword", "cmdOK", "cmdCancel".
struct Identity;

class frmLogin : public QDialog {
    Q_OBJECT
public:
    // What the dialog works with: the store (none when no store is open),
    // the register's identity that a logon fills, the boxes and the dialog
    // runner, and what to do right after a logon (load the employee's own
    // settings).
    struct Services {
        db::Store *store;
        Identity &who;
        platform::Prompt &prompt;
        platform::DialogRunner &dialogs;
        std::function<void()> loggedOn;
    };

    explicit frmLogin(const Services &services, QWidget *parent = nullptr);

    // Shows the dialog modally through the dialog runner.
    int run();

    QListWidget *employeeList() const { return lstEmployees; }
    QLineEdit *employeeNumberBox() const { return txtEmployee; }
    QLineEdit *passwordBox() const { return txtPassword; }
    QPushButton *okButton() const { return cmdOK; }
    QPushButton *cancelButton() const { return cmdCancel; }

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void LoadEmployees();
    void lstEmployees_Click();
    void cmdOK_Click();
    void cmdCancel_Click();
    // True when the key was handled and must not reach the box.
    bool txtEmployee_KeyPress(QKeyEvent *key);
    bool txtPassword_KeyPress(QKeyEvent *key);

    Services mServices;
    QListWidget *lstEmployees;
    QLineEdit *txtEmployee;
    QLineEdit *txtPassword;
    QPushButton *cmdOK;
    QPushButton *cmdCancel;
};

} // namespace vanta::security
