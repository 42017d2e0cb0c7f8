#include "settings/frmMailSettings.h"

#include "diagnostics/Trace.h"
#include "platform/Prompt.h"
#include "platform_ui/AccessibleNames.h"
#include "settings/ErrorReport.h"
#include "settings/clsPop3Settings.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vanta {

namespace {
const QString kTitle = QStringLiteral("Mail Settings");

QLineEdit *textBox(QWidget *parent, const char *name, const QString &text, int maxLength)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setMaxLength(maxLength);
    box->setText(text);
    return box;
}

// A plain address check: something, one "@", something with a dot after it.
bool looksLikeAddress(const QString &address)
{
    const qsizetype at = address.indexOf(QLatin1Char('@'));
    return at > 0 && at == address.lastIndexOf(QLatin1Char('@')) && address.indexOf(QLatin1Char('.'), at) > at + 1
           && !address.endsWith(QLatin1Char('.')) && !address.contains(QLatin1Char(' '));
}
} // namespace

frmMailSettings::frmMailSettings(db::Store &store, platform::SettingsStore &settings, platform::Prompt &prompt,
                                 QWidget *parent)
    : QDialog(parent), mStore(store), mSettings(settings), mPrompt(prompt)
{
    setObjectName(QStringLiteral("frmMailSettings"));
    // F1 shows the dialog's help topic.
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this,
            [this] { mHelp.ShowTopic(QStringLiteral("Mail_Settings.htm")); });
    setWindowTitle(kTitle);
    const settings::clsPop3Settings mail(mStore);
    constexpr int max = settings::clsPop3Settings::MaxText;
    auto *outer = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    txtSMTP = textBox(this, "txtSMTP", mail.SMTP(), max);
    txtMailPort = new QSpinBox(this);
    txtMailPort->setObjectName(QStringLiteral("txtMailPort"));
    txtMailPort->setRange(1, 65535);
    txtMailPort->setValue(mail.MailPort() > 0 ? mail.MailPort() : settings::clsPop3Settings::DefaultPort);
    txtUserName = textBox(this, "txtUserName", mail.UserName(), max);
    txtPassword = textBox(this, "txtPassword", mail.Password(), max);
    txtPassword->setEchoMode(QLineEdit::Password); // never shown in clear text
    txtEmail = textBox(this, "txtEmail", mail.EMAIL(), max);
    txtHostName = textBox(this, "txtHostName", mail.HostName(), max);
    txtSupport = textBox(this, "txtSupport", settings::ErrorReport::supportAddress(mSettings), 254);
    form->addRow(QStringLiteral("SMTP Server:"), txtSMTP);
    form->addRow(QStringLiteral("Port:"), txtMailPort);
    form->addRow(QStringLiteral("User Name:"), txtUserName);
    form->addRow(QStringLiteral("Password:"), txtPassword);
    form->addRow(QStringLiteral("E-mail Address:"), txtEmail);
    form->addRow(QStringLiteral("POP3 Server:"), txtHostName);
    form->addRow(QStringLiteral("Support Address:"), txtSupport);
    outer->addLayout(form);
    auto *hint = new QLabel(QStringLiteral("Error reports are sent through this account to the support address. "
                                           "The connection is encrypted unless the server is this computer."),
                            this);
    hint->setWordWrap(true);
    outer->addWidget(hint);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &frmMailSettings::cmdOK_Click);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    outer->addWidget(buttons);
    setMinimumWidth(440);
    platform::nameFields(this); // fields found by what they are
}

void frmMailSettings::cmdOK_Click()
{
    diag::run("frmMailSettings", "cmdOK_Click", [&] {
        const auto refuse = [this](const QString &text, QWidget *focus) {
            mPrompt.message(text, platform::Buttons::Ok, platform::Icon::Exclamation, kTitle);
            focus->setFocus();
        };
        const QString email = txtEmail->text().trimmed();
        const QString support = txtSupport->text().trimmed();
        if (!email.isEmpty() && !looksLikeAddress(email))
            return refuse(QStringLiteral("The e-mail address \"%1\" is not valid. Enter it like name@example.com.")
                              .arg(email),
                          txtEmail);
        if (!looksLikeAddress(support))
            return refuse(QStringLiteral("The support address \"%1\" is not valid. Enter it like name@example.com.")
                              .arg(support),
                          txtSupport);
        settings::clsPop3Settings mail(mStore);
        mail.setAll({txtHostName->text().trimmed(), txtSMTP->text().trimmed(), txtUserName->text().trimmed(),
                     txtPassword->text(), email, txtMailPort->value()});
        settings::ErrorReport::setSupportAddress(mSettings, support);
        accept();
    });
}

} // namespace vanta
