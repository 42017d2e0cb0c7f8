#include "security/frmApproval.h"

#include "platform/Prompt.h"
#include "platform_ui/AccessibleNames.h"
#include "platform_ui/ButtonRow.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vanta::security {

frmApproval::frmApproval(db::Store &store, platform::Prompt &prompt, const QString &what, QWidget *parent)
    : QDialog(parent),
      mStore(store),
      mPrompt(prompt),
      txtEmployee(new QLineEdit(this)),
      txtPassword(new QLineEdit(this)),
      cmdOK(new QPushButton(QStringLiteral("OK"), this)),
      cmdCancel(new QPushButton(QStringLiteral("Cancel"), this))
{
    setWindowTitle(QStringLiteral("Manager Approval"));
    setObjectName(QStringLiteral("frmApproval"));
    txtEmployee->setObjectName(QStringLiteral("txtEmployee"));
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    txtPassword->setEchoMode(QLineEdit::Password);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdOK->setDefault(true);

    auto *reason = new QLabel(what + QStringLiteral("\nA manager approves it here; the cashier stays logged on."),
                              this);
    reason->setObjectName(QStringLiteral("lblWhat"));
    reason->setWordWrap(true);
    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("Employee #:"), txtEmployee);
    fields->addRow(QStringLiteral("Password:"), txtPassword);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(reason);
    layout->addLayout(fields);
    layout->addLayout(platform::buttonRow({cmdOK, cmdCancel}));
    txtEmployee->setFocus();

    connect(cmdOK, &QPushButton::clicked, this, &frmApproval::check);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    platform::nameFields(this); // fields found by what they are
}

void frmApproval::check()
{
    const std::variant<Approval, QString> answer = CheckApproval(mStore, txtEmployee->text(), txtPassword->text());
    if (const QString *refusal = std::get_if<QString>(&answer)) {
        mPrompt.message(*refusal, platform::Buttons::Ok, platform::Icon::Exclamation, windowTitle());
        txtPassword->clear();
        txtPassword->setFocus();
        return;
    }
    mApproval = std::get<Approval>(answer);
    accept();
}

} // namespace vanta::security
