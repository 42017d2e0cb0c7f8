#pragma once

#include "diagnostics/Trace.h"
#include "platform/SmtpMail.h"

#include "platform_ui/HelpComponent.h"

#include <QDialog>
#include <functional>

class QLabel;
class QListWidget;
class QPushButton;

namespace vanta::db {
class Store;
}
namespace vanta::platform {
class Prompt;
}

namespace vanta {

// The error report: the error number, its explanation and the procedure
// stack with the origin and trap rows marked ">>"; "Send Email" mails the
// report to support through the store's mail account, "Exit" closes it.
class frmQuorlErr : public QDialog {
    Q_OBJECT
public:
    // What "Send Email" uses.
    struct Mail {
        platform::Prompt &prompt;
        std::function<db::Store *()> store; // none when no store is open
        QString supportAddress;
        std::function<platform::MailResult(const platform::MailMessage &)> send;
        std::function<qint32(const QString &host)> connectionCheck;
    };

    frmQuorlErr(const diag::ErrorRecord &record, Mail mail, QWidget *parent = nullptr);

    // The rows of the stack list for a record: origin marker, tab, trap
    // marker, tab, entry with its mark.
    static QStringList stackRows(const diag::ErrorRecord &record, int *originRow = nullptr, int *trapRow = nullptr);
    // The text of the report's e-mail.
    QString mailBody(const QString &companyName, const QString &companyEmail, const QString &companyPhone) const;

    void cmdEmail_Click();
    void Command1_Click();

    QLabel *lblErr = nullptr;
    QLabel *lblErrMsg = nullptr;
    QListWidget *txtStack = nullptr;
    QListWidget *lstStack = nullptr;
    QLabel *Label1 = nullptr;
    QPushButton *cmdEmail = nullptr;
    QPushButton *Command1 = nullptr;

private:
    void lstStack_Click();
    void tell(const QString &text, bool problem);

    diag::ErrorRecord mRecord;
    Mail mMail;
    QList<int> mMarked;
    int mCurrent = -1;
    bool mRestoring = false;
    platform::HelpComponent mHelp;
};

} // namespace vanta
