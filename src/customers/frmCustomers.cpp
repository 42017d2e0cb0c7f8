#include "customers/frmCustomers.h"

#include "customers/CustomerRecordModel.h"
#include "customers/CustomerRecords.h"
#include "customers/CustomerTableModel.h"
#include "customers/TransactionList.h"
#include "customers/ctlAddress.h"
#include "db/Lookups.h"
#include "db/Store.h"
#include "diagnostics/Trace.h"
#include "platform/Currency.h"
#include "platform/Prompt.h"
#include "platform_ui/AccessibleNames.h"
#include "security/Identity.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDataWidgetMapper>
#include <QEvent>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTableView>

namespace vanta {

namespace {
const char *const kModule = "frmCustomers";
constexpr int kTextLength = 255;     // the longest text a field takes
constexpr int kTransactionsTab = 2;
constexpr int kNotesTab = 3;
const QString kBilling = QStringLiteral("Billing");
const QString kShipping = QStringLiteral("Shipping");
} // namespace

frmCustomers::frmCustomers(Context context, qint32 custId, QWidget *parent)
    : QDialog(parent), mContext(std::move(context)), mList(new customers::CustomerTableModel(mContext.store, this)),
      mRecord(new customers::CustomerRecordModel(mContext.store, this)), mBinding(new QDataWidgetMapper(this))
{
    mBinding->setModel(mRecord);
    mBinding->setSubmitPolicy(QDataWidgetMapper::AutoSubmit);
    buildControls();

    connect(lsvCustomers->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { SelectCustomer(); });
    connect(cmdNew, &QPushButton::clicked, this, &frmCustomers::cmdNew_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &frmCustomers::cmdDelete_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmCustomers::cmdClose_Click);
    connect(cboState, &QComboBox::activated, this, &frmCustomers::cboState_Click);
    connect(cboTerms, &QComboBox::activated, this, &frmCustomers::cboTerms_Click);
    connect(txtName, &QLineEdit::textEdited, this, &frmCustomers::txtName_Change);
    connect(txtCreditLimit, &QLineEdit::editingFinished, this, [this] { commitCreditLimit(); });
    connect(tabCustomers, &QTabWidget::currentChanged, this, &frmCustomers::tabCustomers_Click);
    connect(Billing, &ctlAddress::LineEdited, this, &frmCustomers::ctlBilling_LineEdited);
    connect(Shipping, &ctlAddress::LineEdited, this, &frmCustomers::ctlShipping_LineEdited);
    connect(trans1, &TransactionList::BalancesChanged, this, [this] { FillCustomerList(); });
    connect(findChild<QPushButton *>(QStringLiteral("cmdPrintLabel0")), &QPushButton::clicked, this,
            [this] { cmdPrintLabel_Click(nullptr); });
    txtName->installEventFilter(this);
    // Help is registered: F1 shows the topic of the tab in front.
    auto *help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this,
            [this] { mHelp.ShowTopic(helpTopic(tabCustomers->currentIndex())); });

    Form_Load(custId);
    platform::nameFields(this); // fields found by what they are
}

frmCustomers::~frmCustomers() = default;

QString frmCustomers::helpTopic(int tab)
{
    static const char *const topics[] = {"Customers_General.htm", "Customers_Addresses.htm",
                                         "Customers_Transactions.htm", "Customers_Notes.htm"};
    return QLatin1String(topics[tab >= 0 && tab < 4 ? tab : 0]);
}

qint32 frmCustomers::currentCustId() const { return mRecord->hasRecord() ? mRecord->custId() : 0; }

// A. Opening.
void frmCustomers::Form_Load(qint32 custId)
{
    diag::run(kModule, "Form_Load", [&] {
        SetupPermissions();
        tabCustomers->setCurrentIndex(0);
        trans1->setVisible(false);
        FillTermsList();
        cboState->addItems(db::GetStates(mContext.store));
        FillCustomerList();
        tabCustomers->setCurrentIndex(0);
        trans1->setVisible(false);
        tabCustomers_Click(0);
        if (mList->rowCount() > 0) {
            const qint32 id = mList->rowOf(custId) >= 0 ? custId : mList->idAt(0);
            SelectCustFromList(id);
        } else {
            UpdateDisplay();
        }
    });
}

void frmCustomers::FillTermsList()
{
    diag::run(kModule, "FillTermsList", [&] {
        cboTerms->clear();
        db::Recordset rs = mContext.store.database().openTable(QStringLiteral("PaymentTerms"));
        for (; !rs.eof(); rs.moveNext())
            cboTerms->addItem(rs.text(QStringLiteral("PaymentTerms")));
    });
}

// B. The list, with the current customer's row selected again.
void frmCustomers::FillCustomerList()
{
    diag::run(kModule, "FillCustomerList", [&] {
        mFilling = true;
        mList->reload();
        const int row = mRecord->hasRecord() ? mList->rowOf(mRecord->custId()) : -1;
        if (row >= 0)
            lsvCustomers->setCurrentIndex(mList->index(row, 0));
        mFilling = false;
    });
}

void frmCustomers::SelectCustFromList(qint32 custId)
{
    diag::run(kModule, "SelectCustFromList", [&] {
        const int row = mList->rowOf(custId);
        if (row < 0)
            return;
        lsvCustomers->setCurrentIndex(mList->index(row, 0)); // runs SelectCustomer
        lsvCustomers->scrollTo(mList->index(row, 0));
        if (!mRecord->hasRecord() || mRecord->custId() != custId)
            SelectCustomer();
    });
}

// C. The selected row becomes the current record and the register's customer.
void frmCustomers::SelectCustomer()
{
    if (mFilling)
        return;
    diag::run(kModule, "SelectCustomer", [&] {
        const QModelIndex current = lsvCustomers->currentIndex();
        if (!current.isValid())
            return;
        const qint32 id = mList->data(current, customers::CustomerTableModel::IdRole).toInt();
        if (mRecord->hasRecord() && mRecord->custId() == id)
            return;
        if (mContext.selectRegisterCustomer)
            mContext.selectRegisterCustomer(id);
        saveEdits();
        mRecord->moveTo(id);
        Data1_Reposition();
    });
}

void frmCustomers::saveEdits()
{
    if (!mRecord->hasRecord())
        return;
    mBinding->submit();
    commitCreditLimit();
    mRecord->save();
}

// D. After moving to a record.
void frmCustomers::Data1_Reposition()
{
    diag::run(kModule, "Data1_Reposition", [&] {
        UpdateDisplay();
        if (!mRecord->hasRecord())
            return;
        const security::Identity &who = mContext.identity;
        if (who.securityOn && !who.permissions.SellItems()) {
            trans1->setVisible(false);
        } else {
            qint32 employee = who.employeeNumber;
            qint32 cust = mRecord->custId();
            trans1->ShowTransactions(employee, cust);
            trans1->setVisible(tabCustomers->currentIndex() == kTransactionsTab);
        }
        UpdateSelectedTerm();
        UpdateSelectedState();
        UpdateAddress();
    });
}

// The bound controls show the current record.
void frmCustomers::UpdateDisplay()
{
    diag::run(kModule, "UpdateDisplay", [&] {
        if (!mRecord->hasRecord()) {
            for (QLineEdit *box : mBoundBoxes)
                box->clear();
            txtNotes->clear();
            txtCreditLimit->clear();
            chkTaxable->setChecked(false);
            chkInactive->setChecked(false);
            Billing->SetAddressLine({}, {}, {}, {}, {});
            Shipping->SetAddressLine({}, {}, {}, {}, {});
            cboState->setCurrentIndex(-1);
            cboTerms->setCurrentIndex(-1);
            return;
        }
        // A box never cuts a stored text: it takes at least as much as is stored.
        for (QLineEdit *box : mBoundBoxes) {
            const int section = mBinding->mappedSection(box);
            const int stored = int(mRecord->data(mRecord->index(0, section), Qt::EditRole).toString().size());
            box->setMaxLength(std::max(kTextLength, stored));
        }
        mBinding->setCurrentIndex(0);
        showCreditLimit();
    });
}

void frmCustomers::showCreditLimit()
{
    const QVariant limit = mRecord->value(QStringLiteral("credit limit"));
    txtCreditLimit->setText(limit.isNull() ? QString() : formatPlain(db::asSingle(limit)));
}

// The credit limit is a number: anything else is refused and the stored
// limit shown again. Empty means no limit on file.
bool frmCustomers::commitCreditLimit()
{
    if (!mRecord->hasRecord())
        return false;
    const QString text = txtCreditLimit->text().trimmed();
    const QVariant stored = mRecord->value(QStringLiteral("credit limit"));
    if (text == (stored.isNull() ? QString() : formatPlain(db::asSingle(stored))))
        return true;
    if (text.isEmpty())
        return mRecord->setValue(QStringLiteral("credit limit"), QVariant());
    const std::optional<double> value = parseNumber(text);
    if (!value || *value < 0 || *value > 1e9) {
        showCreditLimit();
        mContext.prompt.message(QStringLiteral("The credit limit must be an amount of money of 0 or more, like 500.00."),
                                platform::Buttons::Ok, platform::Icon::Exclamation, QStringLiteral("Customers"));
        return false;
    }
    mRecord->setValue(QStringLiteral("credit limit"), float(*value));
    return true;
}

void frmCustomers::UpdateSelectedTerm()
{
    diag::run(kModule, "UpdateSelectedTerm", [&] {
        const QString term = mRecord->value(QStringLiteral("Payment Terms")).toString().trimmed();
        cboTerms->setCurrentIndex(term.isEmpty() ? -1 : cboTerms->findText(term, Qt::MatchFixedString));
    });
}

void frmCustomers::UpdateSelectedState()
{
    diag::run(kModule, "UpdateSelectedState", [&] {
        const QString state = mRecord->value(QStringLiteral("state")).toString().trimmed();
        cboState->setCurrentIndex(state.isEmpty() ? -1 : cboState->findText(state, Qt::MatchFixedString));
    });
}

void frmCustomers::UpdateAddress()
{
    diag::run(kModule, "UpdateAddress", [&] {
        const auto fill = [this](ctlAddress *editor, const QString &kind) {
            QStringList l;
            for (int n = 1; n <= ctlAddress::LineCount; ++n)
                l << mRecord->value(kind + QStringLiteral(" Address Line %1").arg(n)).toString();
            editor->SetAddressLine(l[0], l[1], l[2], l[3], l[4]);
        };
        fill(Billing, kBilling);
        fill(Shipping, kShipping);
    });
}

// E2. A chosen state or term is written at once.
void frmCustomers::writeNow(const QString &column, const QVariant &value)
{
    if (!mRecord->hasRecord())
        return;
    mRecord->setValue(column, value);
    mRecord->save();
}

void frmCustomers::cboState_Click(int index)
{
    diag::run(kModule, "cboState_Click", [&] {
        if (index >= 0)
            writeNow(QStringLiteral("State"), cboState->itemText(index));
    });
}

void frmCustomers::cboTerms_Click(int index)
{
    diag::run(kModule, "cboTerms_Click", [&] {
        if (index >= 0)
            writeNow(QStringLiteral("Payment Terms"), cboTerms->itemText(index));
    });
}

// E3. An edited address line is written at once, that line only.
void frmCustomers::ctlBilling_LineEdited(qint32 line, const QString &text)
{
    diag::run(kModule, "ctlBilling_LineEdited",
              [&] { writeNow(kBilling + QStringLiteral(" Address Line %1").arg(line), text); });
}

void frmCustomers::ctlShipping_LineEdited(qint32 line, const QString &text)
{
    diag::run(kModule, "ctlShipping_LineEdited",
              [&] { writeNow(kShipping + QStringLiteral(" Address Line %1").arg(line), text); });
}

// E4. The name is never empty.
void frmCustomers::txtName_Change(const QString &text)
{
    diag::run(kModule, "txtName_Change", [&] {
        if (text.isEmpty())
            txtName->setText(QStringLiteral(" "));
    });
}

// E4. A double click on the name offers the unique-name prompt.
void frmCustomers::txtName_DblClick()
{
    diag::run(kModule, "txtName_DblClick", [&] {
        if (!mRecord->hasRecord() || !txtName->isEnabled())
            return;
        const QString name =
            db::GetNewName(mContext.store, mContext.prompt, QStringLiteral("Customers"), QStringLiteral("Name"));
        if (name.isEmpty())
            return;
        txtName->setText(name);
        mRecord->setValue(QStringLiteral("Name"), name);
    });
}

// F. Adding.
void frmCustomers::cmdNew_Click()
{
    diag::run(kModule, "cmdNew_Click", [&] {
        const security::Identity &who = mContext.identity;
        if (who.securityOn && !who.permissions.AddCustomers())
            return;
        const QString name =
            db::GetNewName(mContext.store, mContext.prompt, QStringLiteral("Customers"), QStringLiteral("Name"));
        if (name.isEmpty())
            return;
        saveEdits();
        const qint32 id = customers::addCustomer(mContext.store, name);
        if (mContext.Get_Customers)
            mContext.Get_Customers();
        FillCustomerList();
        SelectCustFromList(id);
        tabCustomers->setCurrentIndex(0);
    });
}

// G. Removing.
void frmCustomers::cmdDelete_Click()
{
    diag::run(kModule, "cmdDelete_Click", [&] {
        const security::Identity &who = mContext.identity;
        if (who.securityOn && !who.permissions.DeleteCustomers())
            return;
        DeleteRecord();
        FillCustomerList();
        if (!mRecord->hasRecord() && mList->rowCount() > 0)
            SelectCustFromList(mList->idAt(0));
        tabCustomers->setCurrentIndex(0);
    });
}

void frmCustomers::DeleteRecord()
{
    diag::run(kModule, "DeleteRecord", [&] {
        if (!mRecord->hasRecord())
            return;
        if (mContext.prompt.message(QStringLiteral("Are you sure you want to delete this customer?"),
                                    platform::Buttons::YesNo, platform::Icon::Critical, QStringLiteral("Warning"))
            != platform::Answer::Yes)
            return;
        saveEdits();
        const qint32 id = mRecord->custId();
        if (customers::removeCustomer(mContext.store, id) == customers::RemoveResult::HasSales) {
            mContext.prompt.message(
                QStringLiteral("This customer cannot be deleted since there are sales associated with the customer."),
                platform::Buttons::Ok, platform::Icon::Critical, QStringLiteral("Cannot Delete"));
            return;
        }
        mRecord->clear();
        UpdateDisplay();
        if (mContext.Get_Customers)
            mContext.Get_Customers();
    });
}

// H. Permissions.
void frmCustomers::SetupPermissions()
{
    diag::run(kModule, "SetupPermissions", [&] {
        const security::Identity &who = mContext.identity;
        if (!who.securityOn)
            return;
        cmdNew->setEnabled(who.permissions.AddCustomers());
        cmdDelete->setEnabled(who.permissions.DeleteCustomers());
        if (!who.permissions.EditCustomers())
            DisableEditFields();
    });
}

void frmCustomers::DisableEditFields()
{
    diag::run(kModule, "DisableEditFields", [&] {
        for (QWidget *w : std::initializer_list<QWidget *>{
                 txtName, txtCompanyName, txtSalutation, txtContact, txtPhoneNumber, txtAltPhone, txtFax,
                 txtFIPSCode, txtCreditLimit, txtEmail, txtUsedDefinedCode, txtResaleNumber, txtWebsite,
                 txtAddress, txtCity, txtZip, txtCounty, txtCountry, txtNotes, cboTerms, cboState, chkTaxable,
                 chkInactive, Billing, Shipping})
            w->setEnabled(false);
    });
}

// I. The notes box works on its tab only; the transactions show on theirs.
void frmCustomers::tabCustomers_Click(int tab)
{
    diag::run(kModule, "tabCustomers_Click", [&] {
        const security::Identity &who = mContext.identity;
        const bool editable = !who.securityOn || who.permissions.EditCustomers();
        txtNotes->setEnabled(tab == kNotesTab && editable);
        const bool mayShowSales = !who.securityOn || who.permissions.SellItems();
        const bool showSales = tab == kTransactionsTab && mayShowSales && mRecord->hasRecord();
        if (showSales)
            trans1->refresh(); // sales may have been taken since the customer was chosen
        trans1->setVisible(showSales);
    });
}

void frmCustomers::cmdPrintLabel_Click(ctlAddress *address)
{
    diag::run(kModule, "cmdPrintLabel_Click", [&] {
        if (!mContext.printLabel || !mRecord->hasRecord())
            return;
        QStringList lines;
        if (address) {
            QString l1, l2, l3, l4, l5;
            address->GetAddressLine(l1, l2, l3, l4, l5);
            lines << l1 << l2 << l3 << l4 << l5;
        } else {
            saveEdits();
            const auto v = [this](const char *c) { return mRecord->value(QLatin1String(c)).toString().trimmed(); };
            lines << v("Name") << v("Address")
                  << (v("City") + QStringLiteral(", ") + v("state") + QLatin1Char(' ') + v("Zip")).trimmed()
                  << v("Country");
        }
        while (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        if (!lines.isEmpty())
            mContext.printLabel(lines);
    });
}

// K. Close; leaving the form any other way saves the edits too.
void frmCustomers::cmdClose_Click()
{
    diag::run(kModule, "cmdClose_Click", [&] { accept(); });
}

void frmCustomers::done(int result)
{
    diag::run(kModule, "Form_Unload", [&] { saveEdits(); });
    QDialog::done(result);
}

bool frmCustomers::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtName && event->type() == QEvent::MouseButtonDblClick) {
        txtName_DblClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace vanta
