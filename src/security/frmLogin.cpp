#include "security/frmLogin.h"

#include "db/Store.h"
#include "diagnostics/Trace.h"
#include "platform_ui/AccessibleNames.h"
#include "platform_ui/ButtonRow.h"
#include "platform/DialogRunner.h"
#include "platform/Prompt.h"
#include "platform_ui/SelectAllText.h"
#include "security/Identity.h"
#include "security/Logon.h"

#include <QApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace vanta::security {

namespace {

const char *const kModule = "frmLogin";

bool isEnter(const QKeyEvent *key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

// Keys the employee number box takes: characters with codes 46 to 57 ("."
// "/" and the digits) and Backspace. Keys without a character (arrows,
// Delete, Tab, Escape) keep their usual meaning; any other character, and
// pasting, is discarded.
bool numberBoxTakes(const QKeyEvent *key)
{
    if (key->key() == Qt::Key_Backspace)
        return true;
    if (key->matches(QKeySequence::Paste))
        return false;
    const QString text = key->text();
    if (text.isEmpty())
        return true;
    if (text.size() != 1)
        return false;
    const char16_t c = text[0].unicode();
    // Control characters: editing and navigation keys keep working, any
    // other (Ctrl+letter) is discarded.
    if (c < 32 || c == 127)
        return key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab || key->key() == Qt::Key_Escape
               || key->key() == Qt::Key_Delete;
    return c >= 46 && c <= 57;
}

} // namespace

frmLogin::frmLogin(const Services &services, QWidget *parent)
    : QDialog(parent), mServices(services), lstEmployees(new QListWidget(this)), txtEmployee(new QLineEdit(this)),
      txtPassword(new QLineEdit(this)), cmdOK(new QPushButton(QStringLiteral("OK"), this)),
      cmdCancel(new QPushButton(QStringLiteral("&Cancel"), this))
{
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(QStringLiteral("Log In"));

    lstEmployees->setObjectName(QStringLiteral("lstEmployees"));
    lstEmployees->setSelectionMode(QAbstractItemView::SingleSelection);
    txtEmployee->setObjectName(QStringLiteral("txtEmployee"));
    txtEmployee->setContextMenuPolicy(Qt::NoContextMenu); // no paste of other characters
    txtEmployee->setAcceptDrops(false);
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    txtPassword->setEchoMode(QLineEdit::Password);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    auto *lblEmployee = new QLabel(QStringLiteral("Employee #:"), this);
    lblEmployee->setObjectName(QStringLiteral("lblEmployee"));
    lblEmployee->setBuddy(txtEmployee);
    auto *lblPassword = new QLabel(QStringLiteral("Password:"), this);
    lblPassword->setObjectName(QStringLiteral("lblPassword"));
    lblPassword->setBuddy(txtPassword);

    auto *fields = new QFormLayout;
    fields->addRow(lblEmployee, txtEmployee);
    fields->addRow(lblPassword, txtPassword);
    QHBoxLayout *buttons = platform::buttonRow({cmdOK, cmdCancel});
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lstEmployees);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    setTabOrder(lstEmployees, txtEmployee);
    setTabOrder(txtEmployee, txtPassword);
    setTabOrder(txtPassword, cmdOK);
    setTabOrder(cmdOK, cmdCancel);

    txtEmployee->installEventFilter(this);
    txtPassword->installEventFilter(this);
    connect(lstEmployees, &QListWidget::itemSelectionChanged, this, [this] { lstEmployees_Click(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    platform::nameFields(this); // fields found by what they are
}

int frmLogin::run()
{
    return mServices.dialogs.run(*this);
}

void frmLogin::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // The list is read afresh each time the dialog opens (not when the
    // window system merely shows it again).
    if (!event->spontaneous()) {
        LoadEmployees();
        txtEmployee->setFocus(Qt::OtherFocusReason);
    }
}

void frmLogin::done(int result)
{
    // Whatever busy pointer the register set, the dialog leaves a normal one.
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    QDialog::done(result);
}

void frmLogin::LoadEmployees()
{
    diag::run(kModule, "LoadEmployees", [&] {
        lstEmployees->clear();
        bool anyRows = false;
        const QList<EmployeeEntry> entries = LoadEmployeeList(db::requireStore(mServices.store), &anyRows);
        if (!anyRows) {
            mServices.prompt.message(QStringLiteral("No Employees where found the database!"), platform::Buttons::Ok,
                                    platform::Icon::None, QStringLiteral("Vanta! Has Found a Problem!"));
            return;
        }
        for (const EmployeeEntry &e : entries) {
            auto *item = new QListWidgetItem(e.text, lstEmployees);
            item->setData(Qt::UserRole, e.id);
        }
    });
}

void frmLogin::lstEmployees_Click()
{
    diag::run(kModule, "lstEmployees_Click", [&] {
        const QList<QListWidgetItem *> chosen = lstEmployees->selectedItems();
        if (!chosen.isEmpty())
            txtEmployee->setText(QString::number(chosen.first()->data(Qt::UserRole).toInt()));
    });
}

void frmLogin::cmdOK_Click()
{
    diag::run(kModule, "cmdOK_Click", [&] {
        const LogonResult r = TryLogon(db::requireStore(mServices.store), txtEmployee->text(), txtPassword->text());
        if (!r.ok()) {
            mServices.prompt.message(r.message, platform::Buttons::Ok, r.icon, r.title);
            if (r.outcome == LogonResult::Outcome::NoNumber)
                lstEmployees->setFocus(Qt::OtherFocusReason);
            else if (r.outcome == LogonResult::Outcome::WrongPassword)
                txtPassword->setFocus(Qt::OtherFocusReason);
            return;
        }
        LogOn(mServices.who, *mServices.store, r.employeeId, r.name);
        if (mServices.loggedOn)
            mServices.loggedOn();
        accept();
    });
}

void frmLogin::cmdCancel_Click()
{
    diag::run(kModule, "cmdCancel_Click", [&] { reject(); });
}

bool frmLogin::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn && (watched == txtEmployee || watched == txtPassword)) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        diag::run(kModule, watched == txtEmployee ? "txtEmployee_GotFocus" : "txtPassword_GotFocus",
                  [reason] { platform::SelectAllText(reason); });
    } else if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (watched == txtEmployee)
            return txtEmployee_KeyPress(key);
        if (watched == txtPassword)
            return txtPassword_KeyPress(key);
    }
    return QDialog::eventFilter(watched, event);
}

bool frmLogin::txtEmployee_KeyPress(QKeyEvent *key)
{
    return diag::run(kModule, "txtEmployee_KeyPress", true, [&] {
        if (isEnter(key)) {
            txtPassword->setFocus(Qt::OtherFocusReason);
            return true;
        }
        return !numberBoxTakes(key);
    });
}

bool frmLogin::txtPassword_KeyPress(QKeyEvent *key)
{
    return diag::run(kModule, "txtPassword_KeyPress", true, [&] {
        if (!isEnter(key))
            return false;
        if (txtEmployee->text().isEmpty())
            mServices.prompt.message(QStringLiteral("You must enter an employee number!"), platform::Buttons::Ok,
                                    platform::Icon::Exclamation, QStringLiteral("Enter Employee Number"));
        else
            cmdOK_Click();
        return true;
    });
}

} // namespace vanta::security
