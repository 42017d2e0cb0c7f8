#pragma once

#include "platform_ui/HelpComponent.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QDataWidgetMapper;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTableView;

namespace vanta::db {
class Store;
}
namespace vanta::platform {
class Prompt;
class DialogRunner;
} // namespace vanta::platform
namespace vanta::security {
struct Identity;
}
namespace vanta::customers {
class CustomerRecordModel;
class CustomerTableModel;
} // namespace vanta::customers

namespace vanta {

class TransactionList;
class ctlAddress;

// Customer maintenance ("Customers"): the customer list with balance and
// available credit beside four tabs (General, Addresses, Transactions,
// Notes) bound to the current `Customers` record. Moving to another customer
// saves the edits; selecting a customer makes it the register's current one.
class frmCustomers : public QDialog {
    Q_OBJECT
public:
    // What the form uses of the register.
    struct Context {
        db::Store &store;
        platform::Prompt &prompt;
        platform::DialogRunner &dialogs;
        const security::Identity &identity;
        std::function<void()> Get_Customers;             // the register reloads its customer list
        std::function<void(qint32)> selectRegisterCustomer; // the register's entry with this `Cust ID`
        std::function<void(const QStringList &)> printLabel; // prints an address label
        qint32 shiftId = 0; // the register's open shift, where payments are taken
    };

    // Opens on the customer `custId` (the first one when it is not found).
    frmCustomers(Context context, qint32 custId, QWidget *parent = nullptr);
    ~frmCustomers() override;

    // Help topic of each tab.
    static QString helpTopic(int tab);

    // The current record (none when the list is empty).
    qint32 currentCustId() const;
    customers::CustomerRecordModel &record() const { return *mRecord; }
    customers::CustomerTableModel &list() const { return *mList; }

    void done(int result) override;

private:
    void buildControls();
    QWidget *buildGeneralTab();
    QWidget *buildAddressesTab();
    void bind(QWidget *widget, const char *column, const char *property = "text");

    void Form_Load(qint32 custId);
    void FillCustomerList();
    void FillTermsList();
    void SelectCustFromList(qint32 custId);
    void SelectCustomer();
    void SetupPermissions();
    void DisableEditFields();
    void Data1_Reposition();
    void UpdateAddress();
    void UpdateSelectedState();
    void UpdateSelectedTerm();
    void UpdateDisplay();
    void DeleteRecord();
    void saveEdits();
    bool commitCreditLimit();
    void showCreditLimit();
    void writeNow(const QString &column, const QVariant &value);

    void cmdNew_Click();
    void cmdDelete_Click();
    void cmdClose_Click();
    void cboState_Click(int index);
    void cboTerms_Click(int index);
    void txtName_Change(const QString &text);
    void txtName_DblClick();
    void tabCustomers_Click(int tab);
    void ctlBilling_LineEdited(qint32 line, const QString &text);
    void ctlShipping_LineEdited(qint32 line, const QString &text);
    void cmdPrintLabel_Click(ctlAddress *address);

    bool eventFilter(QObject *watched, QEvent *event) override;

    Context mContext;
    customers::CustomerTableModel *mList = nullptr;
    customers::CustomerRecordModel *mRecord = nullptr;
    QDataWidgetMapper *mBinding = nullptr;
    QList<QLineEdit *> mBoundBoxes;
    platform::HelpComponent mHelp;
    bool mFilling = false;

public:
    // Controls, named as the form's design names them.
    QTableView *lsvCustomers = nullptr;
    QTabWidget *tabCustomers = nullptr;
    QLineEdit *txtName = nullptr;
    QLineEdit *txtCompanyName = nullptr;
    QLineEdit *txtSalutation = nullptr;
    QLineEdit *txtContact = nullptr;
    QLineEdit *txtPhoneNumber = nullptr;
    QLineEdit *txtAltPhone = nullptr;
    QLineEdit *txtFax = nullptr;
    QLineEdit *txtFIPSCode = nullptr;
    QLineEdit *txtCreditLimit = nullptr;
    QLineEdit *txtEmail = nullptr;
    QLineEdit *txtUsedDefinedCode = nullptr;
    QLineEdit *txtResaleNumber = nullptr;
    QLineEdit *txtWebsite = nullptr;
    QComboBox *cboTerms = nullptr;
    QCheckBox *chkTaxable = nullptr;
    QCheckBox *chkInactive = nullptr;
    QLineEdit *txtAddress = nullptr;
    QLineEdit *txtCity = nullptr;
    QComboBox *cboState = nullptr;
    QLineEdit *txtZip = nullptr;
    QLineEdit *txtCounty = nullptr;
    QLineEdit *txtCountry = nullptr;
    ctlAddress *Billing = nullptr;
    ctlAddress *Shipping = nullptr;
    TransactionList *trans1 = nullptr;
    QPlainTextEdit *txtNotes = nullptr;
    QPushButton *cmdNew = nullptr;
    QPushButton *cmdDelete = nullptr;
    QPushButton *cmdClose = nullptr;
};

} // namespace vanta
