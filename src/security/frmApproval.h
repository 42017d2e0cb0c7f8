#pragma once

#include "security/ManagerApproval.h"

#include <QDialog>
#include <optional>

class QLineEdit;
class QPushButton;

namespace vanta::platform {
class Prompt;
}

namespace vanta::security {

// "Manager Approval": says what needs approving and takes a manager's
// employee number and password. OK with a refusal says why (through the
// prompt) and stays open; an approval closes the dialog accepted.
class frmApproval : public QDialog {
    Q_OBJECT
public:
    frmApproval(db::Store &store, platform::Prompt &prompt, const QString &what, QWidget *parent = nullptr);

    const std::optional<Approval> &approval() const { return mApproval; }
    QLineEdit *employeeNumberBox() const { return txtEmployee; }
    QLineEdit *passwordBox() const { return txtPassword; }
    QPushButton *okButton() const { return cmdOK; }

private:
    void check();

    db::Store &mStore;
    platform::Prompt &mPrompt;
    std::optional<Approval> mApproval;
    QLineEdit *txtEmployee;
    QLineEdit *txtPassword;
    QPushButton *cmdOK;
    QPushButton *cmdCancel;
};

} // namespace vanta::security
