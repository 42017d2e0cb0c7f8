// Building the customer form's controls.
#include "customers/frmCustomers.h"

#include "customers/CustomerRecordModel.h"
#include "customers/CustomerTableModel.h"
#include "customers/TransactionList.h"
#include "customers/ctlAddress.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDataWidgetMapper>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace vanta {

namespace {

template <typename W>
W *named(W *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QPushButton *printLabelButton(QWidget *parent, const char *name)
{
    return named(new QPushButton(QStringLiteral("Print Label"), parent), name);
}

} // namespace

void frmCustomers::bind(QWidget *widget, const char *column, const char *property)
{
    mBinding->addMapping(widget, mRecord->column(QLatin1String(column)), property);
    if (auto *box = qobject_cast<QLineEdit *>(widget))
        mBoundBoxes << box;
}

void frmCustomers::buildControls()
{
    setObjectName(QStringLiteral("frmCustomers"));
    setWindowTitle(QStringLiteral("Customers"));
    auto *outer = new QVBoxLayout(this);
    auto *body = new QHBoxLayout;
    outer->addLayout(body, 1);

    lsvCustomers = named(new QTableView(this), "lsvCustomers");
    lsvCustomers->setModel(mList);
    lsvCustomers->setSelectionBehavior(QAbstractItemView::SelectRows);
    lsvCustomers->setSelectionMode(QAbstractItemView::SingleSelection);
    lsvCustomers->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lsvCustomers->verticalHeader()->hide();
    // Uniform rows: the view never measures thousands of customers.
    lsvCustomers->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    lsvCustomers->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    lsvCustomers->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    lsvCustomers->setColumnWidth(customers::CustomerTableModel::NameColumn, 170);
    lsvCustomers->setColumnWidth(customers::CustomerTableModel::BalanceColumn, 80);
    lsvCustomers->horizontalHeader()->setStretchLastSection(true);
    lsvCustomers->setMinimumWidth(360);
    body->addWidget(lsvCustomers, 2);

    tabCustomers = named(new QTabWidget(this), "tabCustomers");
    tabCustomers->addTab(buildGeneralTab(), QStringLiteral("General"));
    tabCustomers->addTab(buildAddressesTab(), QStringLiteral("Addresses"));
    trans1 = new TransactionList(mContext.store, mContext.prompt, mContext.dialogs, tabCustomers);
    trans1->takePaymentsIn(mContext.shiftId);
    tabCustomers->addTab(trans1, QStringLiteral("Transactions"));
    txtNotes = named(new QPlainTextEdit(tabCustomers), "txtNotes");
    txtNotes->setAccessibleName(QStringLiteral("Notes"));
    tabCustomers->addTab(txtNotes, QStringLiteral("Notes"));
    body->addWidget(tabCustomers, 3);
    bind(txtNotes, "Notes", "plainText");

    auto *buttons = new QHBoxLayout;
    cmdNew = named(new QPushButton(QStringLiteral("Add New Customer"), this), "cmdNew");
    cmdDelete = named(new QPushButton(QStringLiteral("Remove Customer"), this), "cmdDelete");
    cmdClose = named(new QPushButton(QStringLiteral("Close"), this), "cmdClose");
    for (QPushButton *b : {cmdNew, cmdDelete, cmdClose}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    buttons->insertStretch(2, 1);
    outer->addLayout(buttons);
    resize(980, 560);
}

QWidget *frmCustomers::buildGeneralTab()
{
    auto *page = new QWidget(this);
    auto *form = new QFormLayout(page);
    const auto field = [&](QLineEdit *&box, const char *name, const char *label, const char *column) {
        box = named(new QLineEdit(page), name);
        form->addRow(QLatin1String(label), box);
        if (column)
            bind(box, column);
    };
    field(txtName, "txtName", "Customer Name:", "Name");
    field(txtCompanyName, "txtCompanyName", "Company Name:", "Company Name");
    field(txtSalutation, "txtSalutation", "Salutation:", "Salutation");
    field(txtContact, "txtContact", "Alt.Contact Person:", "Alt Contact");
    field(txtPhoneNumber, "txtPhoneNumber", "Phone Number:", "Phone");
    field(txtAltPhone, "txtAltPhone", "Alt Phone Number:", "Alt Phone");
    field(txtFax, "txtFax", "Fax Number:", "Fax");
    field(txtFIPSCode, "txtFIPSCode", "FIPS Code:", "FIPS Code");
    field(txtCreditLimit, "txtCreditLimit", "Credit Limit:", nullptr); // a number: checked by the form
    field(txtEmail, "txtEmail", "Email:", "Email");
    field(txtUsedDefinedCode, "txtUsedDefinedCode", "User Defined Code:", "Used Defined Code");
    field(txtResaleNumber, "txtResaleNumber", "Resale Number:", "Resale Number");
    field(txtWebsite, "txtWebsite", "Website:", "Website");
    cboTerms = named(new QComboBox(page), "cboTerms");
    form->addRow(QStringLiteral("Payment Terms:"), cboTerms);
    chkTaxable = named(new QCheckBox(QStringLiteral("Taxable"), page), "chkTaxable");
    chkInactive = named(new QCheckBox(QStringLiteral("Inactive"), page), "chkInactive");
    auto *checks = new QHBoxLayout;
    checks->addWidget(chkTaxable);
    checks->addWidget(chkInactive);
    checks->addStretch(1);
    form->addRow(checks);
    bind(chkTaxable, "Taxable", "checked");
    bind(chkInactive, "Inactive", "checked");
    return page;
}

QWidget *frmCustomers::buildAddressesTab()
{
    auto *page = new QWidget(this);
    auto *grid = new QHBoxLayout(page);

    auto *customer = named(new QGroupBox(QStringLiteral("Customer Address"), page), "fraCustomerAddress");
    auto *form = new QFormLayout(customer);
    const auto field = [&](QLineEdit *&box, const char *name, const char *label, const char *column) {
        box = named(new QLineEdit(customer), name);
        form->addRow(QLatin1String(label), box);
        bind(box, column);
    };
    field(txtAddress, "txtAddress", "Address:", "Address");
    field(txtCity, "txtCity", "City:", "City");
    cboState = named(new QComboBox(customer), "cboState");
    form->addRow(QStringLiteral("State:"), cboState);
    field(txtZip, "txtZip", "Zip:", "Zip");
    field(txtCounty, "txtCounty", "County:", "County");
    field(txtCountry, "txtCountry", "Country:", "Country");
    form->addRow(printLabelButton(customer, "cmdPrintLabel0"));
    grid->addWidget(customer);

    const auto addressFrame = [&](const char *title, const char *name, ctlAddress *&editor, const char *button) {
        auto *frame = new QGroupBox(QLatin1String(title), page);
        auto *v = new QVBoxLayout(frame);
        editor = named(new ctlAddress(frame), name);
        editor->nameLines(QLatin1String(title));
        v->addWidget(editor);
        QPushButton *print = printLabelButton(frame, button);
        v->addWidget(print);
        v->addStretch(1);
        connect(print, &QPushButton::clicked, this, [this, editor] { cmdPrintLabel_Click(editor); });
        grid->addWidget(frame);
    };
    addressFrame("Default Billing Address", "Billing", Billing, "cmdPrintLabel1");
    addressFrame("Default Shipping Address", "Shipping", Shipping, "cmdPrintLabel2");
    return page;
}

} // namespace vanta
