#pragma once

#include "platform_ui/HelpComponent.h"

#include <QDialog>

class QLineEdit;
class QSpinBox;

namespace vanta::db {
class Store;
}
namespace vanta::platform {
class Prompt;
class SettingsStore;
} // namespace vanta::platform

namespace vanta {

// "Mail Settings": the store's mail account used to e-mail error reports
// (SMTP server, port, user name, password, sender address, POP3 host) and
// the support address the reports go to. The password is never shown.
class frmMailSettings : public QDialog {
    Q_OBJECT
public:
    frmMailSettings(db::Store &store, platform::SettingsStore &settings, platform::Prompt &prompt,
                    QWidget *parent = nullptr);

    void cmdOK_Click();

    QLineEdit *txtSMTP = nullptr;
    QSpinBox *txtMailPort = nullptr;
    QLineEdit *txtUserName = nullptr;
    QLineEdit *txtPassword = nullptr;
    QLineEdit *txtEmail = nullptr;
    QLineEdit *txtHostName = nullptr;
    QLineEdit *txtSupport = nullptr;

private:
    db::Store &mStore;
    platform::SettingsStore &mSettings;
    platform::Prompt &mPrompt;
    platform::HelpComponent mHelp;
};

} // namespace vanta
