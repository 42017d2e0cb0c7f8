#include "settings/frmQuorlErr.h"

#include "db/Store.h"
#include "platform/Prompt.h"
#include "platform_ui/AccessibleNames.h"
#include "settings/clsCompany.h"
#include "settings/clsPop3Settings.h"
#include "settings/modInternetConnect.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace vanta {

namespace {
const char *const kModule = "frmQuorlErr";
const QString kMarker = QStringLiteral(">>");

QListWidget *tabbedList(QWidget *parent, const char *name)
{
    auto *list = new QListWidget(parent);
    list->setObjectName(QLatin1String(name));
    list->setUniformItemSizes(true);
    return list;
}
} // namespace

frmQuorlErr::frmQuorlErr(const diag::ErrorRecord &record, Mail mail, QWidget *parent)
    : QDialog(parent), mRecord(record), mMail(std::move(mail))
{
    setObjectName(QStringLiteral("frmQuorlErr"));
    // F1 shows the dialog's help topic.
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this,
            [this] { mHelp.ShowTopic(QStringLiteral("Error_Report.htm")); });
    setWindowTitle(record.application);
    auto *outer = new QVBoxLayout(this);
    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Error:"), this), 0, 0);
    lblErr = new QLabel(QString::number(record.number), this);
    lblErr->setObjectName(QStringLiteral("lblErr"));
    grid->addWidget(lblErr, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Explanation:"), this), 1, 0, Qt::AlignTop);
    lblErrMsg = new QLabel(record.explanation, this);
    lblErrMsg->setObjectName(QStringLiteral("lblErrMsg"));
    lblErrMsg->setWordWrap(true);
    lblErrMsg->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(lblErrMsg, 1, 1);
    grid->setColumnStretch(1, 1);
    outer->addLayout(grid);

    auto *captions = new QHBoxLayout;
    captions->addWidget(new QLabel(QStringLiteral("Procedure"), this));
    captions->addWidget(new QLabel(QStringLiteral("Stack"), this));
    captions->addStretch(1);
    outer->addLayout(captions);
    txtStack = tabbedList(this, "txtStack");
    txtStack->addItem(QStringLiteral("Origin\tTrap\tProcedure"));
    txtStack->setFixedHeight(txtStack->sizeHintForRow(0) + 2 * txtStack->frameWidth() + 2);
    txtStack->setFocusPolicy(Qt::NoFocus);
    outer->addWidget(txtStack);
    lstStack = tabbedList(this, "lstStack");
    lstStack->setSelectionMode(QAbstractItemView::MultiSelection);
    outer->addWidget(lstStack, 1);

    int origin = -1, trap = -1;
    lstStack->addItems(stackRows(record, &origin, &trap));
    for (int row : {origin, trap})
        if (row >= 0 && !mMarked.contains(row))
            mMarked << row;
    mCurrent = trap;
    lstStack_Click(); // shows the marked rows selected and the trap row current
    connect(lstStack, &QListWidget::itemSelectionChanged, this, &frmQuorlErr::lstStack_Click);
    connect(lstStack, &QListWidget::currentRowChanged, this, &frmQuorlErr::lstStack_Click);

    Label1 = new QLabel(QStringLiteral("An unexpected error has occurred !   Please select 'Send Email' to send an "
                                       "email to Corvane's technical support staff.  This email will help us "
                                       "better resolve this problem."),
                        this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    outer->addWidget(Label1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    cmdEmail = new QPushButton(QStringLiteral("Send Email"), this);
    cmdEmail->setObjectName(QStringLiteral("cmdEmail"));
    Command1 = new QPushButton(QStringLiteral("Exit"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    buttons->addWidget(cmdEmail);
    buttons->addWidget(Command1);
    outer->addLayout(buttons);
    connect(cmdEmail, &QPushButton::clicked, this, &frmQuorlErr::cmdEmail_Click);
    connect(Command1, &QPushButton::clicked, this, &frmQuorlErr::Command1_Click);
    resize(560, 400);
    platform::nameFields(this); // fields found by what they are
}

QStringList frmQuorlErr::stackRows(const diag::ErrorRecord &record, int *originRow, int *trapRow)
{
    const QStringList entries =
        record.stack.isEmpty() ? QStringList() : record.stack.split(QLatin1Char(','), Qt::KeepEmptyParts);
    const int origin = int(entries.size()) - 1;
    int trap = -1;
    if (!record.trap.isEmpty())
        for (int i = origin; i >= 0 && trap < 0; --i)
            if (entries[i] == record.trap)
                trap = i;
    QStringList rows;
    for (int i = 0; i < entries.size(); ++i)
        rows << (i == origin ? kMarker : QStringLiteral(" ")) + QLatin1Char('\t')
                    + (i == trap ? kMarker : QStringLiteral(" ")) + QLatin1Char('\t') + entries[i];
    if (originRow)
        *originRow = origin;
    if (trapRow)
        *trapRow = trap;
    return rows;
}

// The list shows the marked rows and nothing else, whatever is clicked.
void frmQuorlErr::lstStack_Click()
{
    if (mRestoring)
        return;
    mRestoring = true;
    lstStack->clearSelection();
    if (mCurrent >= 0)
        lstStack->setCurrentRow(mCurrent, QItemSelectionModel::NoUpdate);
    for (int row : std::as_const(mMarked))
        lstStack->item(row)->setSelected(true);
    mRestoring = false;
}

void frmQuorlErr::Command1_Click()
{
    diag::run(kModule, "Command1_Click", [&] { hide(); reject(); });
}

QString frmQuorlErr::mailBody(const QString &companyName, const QString &companyEmail,
                              const QString &companyPhone) const
{
    QStringList lines;
    lines << QStringLiteral("Error Number: ") + lblErr->text() << QStringLiteral("Description: ") + lblErrMsg->text()
          << QString() << QStringLiteral("Procedure Stack: ") << QString();
    for (int i = 0; i < lstStack->count(); ++i)
        lines << lstStack->item(i)->text();
    lines << QString() << QStringLiteral("Name: ") + companyName << QStringLiteral("Reply To: ") + companyEmail
          << QStringLiteral("Phone: ") + companyPhone;
    return lines.join(QStringLiteral("\r\n"));
}

void frmQuorlErr::tell(const QString &text, bool problem)
{
    mMail.prompt.message(text, platform::Buttons::Ok, problem ? platform::Icon::Exclamation : platform::Icon::Information,
                         QString());
}

void frmQuorlErr::cmdEmail_Click()
{
    diag::run(kModule, "cmdEmail_Click", [&] {
        db::Store *store = mMail.store ? mMail.store() : nullptr;
        std::optional<settings::clsPop3Settings> mail;
        if (store)
            mail.emplace(*store);
        if (!mail || mail->UserName().trimmed().isEmpty() || mail->Password().trimmed().isEmpty()
            || mail->EMAIL().trimmed().isEmpty() || mail->SMTP().trimmed().isEmpty()) {
            mMail.prompt.message(QStringLiteral("Your local email client is not setup sufficiently enough to send "
                                                "an email from this application."),
                                 platform::Buttons::Ok, platform::Icon::Information, QString());
            return;
        }
        const QString host = mail->SMTP().trimmed();
        if (!settings::isConnected(mMail.connectionCheck(host))) {
            tell(QStringLiteral("The error report was not sent: this computer is not connected to the internet."),
                 true);
            return;
        }
        const settings::clsCompany company(*store);
        platform::MailMessage message;
        message.host = host;
        message.port = mail->MailPort() > 0 ? mail->MailPort() : 25;
        message.userName = mail->UserName().trimmed();
        message.password = mail->Password();
        message.from = mail->EMAIL().trimmed();
        message.to = mMail.supportAddress;
        message.subject = mRecord.application + QStringLiteral(" Error");
        message.body = mailBody(company.Name(), company.EMAIL(), company.Phone());
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const platform::MailResult result = mMail.send(message);
        QApplication::restoreOverrideCursor();
        if (result.sent())
            tell(QStringLiteral("The error report was sent to %1.").arg(mMail.supportAddress), false);
        else
            tell(QStringLiteral("The error report was not sent: %1").arg(result.detail), true);
    });
}

} // namespace vanta
