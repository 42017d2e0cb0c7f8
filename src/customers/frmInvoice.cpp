#include "customers/frmInvoice.h"

#include "customers/InvoiceCustomer.h"
#include "db/Store.h"
#include "diagnostics/Trace.h"
#include "platform_ui/AccessibleNames.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace vanta {

namespace {

const char *const kModule = "frmInvoice";

template <typename W>
W *named(W *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QLabel *label(const QString &text, const char *name, QWidget *parent)
{
    return named(new QLabel(text, parent), name);
}

// Fills a list with the first column named `column` of every row of the
// query; nothing is selected afterwards.
void fillList(QComboBox *list, const db::Database &db, const QString &sql, const QString &column)
{
    list->clear();
    db::Recordset rs = db.openQuery(sql);
    for (; !rs.eof(); rs.moveNext())
        list->addItem(rs.text(column));
    list->setCurrentIndex(-1);
}

// A blank field is stored as one space.
void blankToSpace(QLineEdit *field)
{
    if (field->text().isEmpty())
        field->setText(QStringLiteral(" "));
}

QStringList texts(const std::array<QLineEdit *, 5> &lines)
{
    QStringList out;
    for (const QLineEdit *line : lines)
        out << line->text();
    return out;
}

} // namespace

frmInvoice::frmInvoice(db::Store &store, qint32 custId, PostInvoice post, QWidget *parent)
    : QDialog(parent), mStore(store), mCustId(custId), mPost(std::move(post)),
      txtPO(named(new QLineEdit(this), "txtPO")),
      cboTerms(named(new QComboBox(this), "cboTerms")),
      cboShippingMethod(named(new QComboBox(this), "cboShippingMethod")),
      txtSalesRep(named(new QLineEdit(this), "txtSalesRep")),
      txtMemo(named(new QLineEdit(this), "txtMemo")),
      txtMemoToCustomer(named(new QLineEdit(this), "txtMemoToCustomer")),
      fraBilling(addressFrame(QStringLiteral("Billing Info"), QStringLiteral("Billing"), txtBilling)),
      chkSameAddress(named(new QCheckBox(this), "chkSameAddress")),
      fraShipping(addressFrame(QStringLiteral("Shipping Info"), QStringLiteral("Shipping"), txtShipping)),
      cmdProcess(named(new QPushButton(QStringLiteral("Process"), this), "cmdProcess")),
      cmdCancel(named(new QPushButton(QStringLiteral("Cancel"), this), "cmdCancel"))
{
    setWindowTitle(QStringLiteral("Invoice"));
    chkSameAddress->setToolTip(QStringLiteral("Check to make Shipping Address the same as Billing Address"));
    chkSameAddress->setAccessibleName(chkSameAddress->toolTip());
    // Enter in a field must not post the sale by itself.
    cmdProcess->setAutoDefault(false);
    cmdCancel->setAutoDefault(false);

    auto *fields = new QGridLayout;
    int row = 0;
    const auto addField = [&](const QString &text, const char *name, QWidget *field) {
        QLabel *l = label(text, name, this);
        l->setBuddy(field);
        fields->addWidget(l, row, 0);
        fields->addWidget(field, row++, 1);
    };
    addField(QStringLiteral("Purchase Order #:"), "lblPO", txtPO);
    addField(QStringLiteral("Terms:"), "lblTerms", cboTerms);
    addField(QStringLiteral("Shipping Method:"), "lblShippingMethod", cboShippingMethod);
    addField(QStringLiteral("Sales Rep:"), "lblSalesRep", txtSalesRep);
    addField(QStringLiteral("Memo:"), "lblMemo", txtMemo);
    addField(QStringLiteral("Memo to Customer:"), "lblMemoToCustomer", txtMemoToCustomer);

    auto *addresses = new QHBoxLayout;
    addresses->addWidget(fraBilling);
    auto *sameAddress = new QVBoxLayout;
    sameAddress->addStretch();
    sameAddress->addWidget(chkSameAddress);
    sameAddress->addStretch();
    addresses->addLayout(sameAddress);
    addresses->addWidget(fraShipping);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdProcess);
    buttons->addWidget(cmdCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(addresses);
    layout->addLayout(buttons);

    QList<QWidget *> order{txtPO, cboTerms, cboShippingMethod, txtSalesRep, txtMemo, txtMemoToCustomer};
    order += QList<QWidget *>(txtBilling.begin(), txtBilling.end());
    order << chkSameAddress;
    order += QList<QWidget *>(txtShipping.begin(), txtShipping.end());
    order << cmdProcess << cmdCancel;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    for (int i = 0; i < 5; ++i)
        connect(txtBilling[i], &QLineEdit::textChanged, this, [this, i] { txtBilling_Change(i); });
    connect(chkSameAddress, &QCheckBox::toggled, this, &frmInvoice::chkSameAddress_Click);
    connect(cmdProcess, &QPushButton::clicked, this, &frmInvoice::cmdProcess_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmInvoice::cmdCancel_Click);
    platform::nameFields(this); // fields found by what they are
}

QGroupBox *frmInvoice::addressFrame(const QString &title, const QString &kind, Lines &lines)
{
    auto *frame = new QGroupBox(title, this);
    frame->setObjectName(QStringLiteral("fra") + kind);
    auto *grid = new QGridLayout(frame);
    for (int i = 0; i < 5; ++i) {
        lines[i] = new QLineEdit(frame);
        lines[i]->setObjectName(QStringLiteral("txt") + kind + QString::number(i + 1));
        grid->addWidget(lines[i], i, 1);
    }
    const auto lineLabel = [&](const QString &text, const QString &name, int row) {
        auto *l = new QLabel(text, frame);
        l->setObjectName(QStringLiteral("lbl") + kind + name);
        l->setBuddy(lines[row]);
        grid->addWidget(l, row, 0);
    };
    lineLabel(QStringLiteral("Name:"), QStringLiteral("Name"), 0);
    lineLabel(QStringLiteral("Address:"), QStringLiteral("Address"), 1);
    for (int i = 2; i < 5; ++i) // the address goes on without labels
        lines[i]->setAccessibleName(QStringLiteral("%1 address, line %2").arg(kind).arg(i));
    return frame;
}

void frmInvoice::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous() && !mLoaded) {
        mLoaded = true;
        Form_Load();
    }
}

void frmInvoice::Form_Load()
{
    diag::run(kModule, "Form_Load", [&] {
        db::Store &store = mStore;
        // Access sorted these lists without regard to case.
        fillList(cboTerms, store.database(),
                 QStringLiteral("SELECT * FROM paymentTerms ORDER BY PaymentTerms COLLATE NOCASE"),
                 QStringLiteral("PaymentTerms"));
        fillList(cboShippingMethod, store.database(),
                 QStringLiteral("SELECT * FROM ShippingMethods ORDER BY ShippingMethods COLLATE NOCASE"),
                 QStringLiteral("ShippingMethods"));

        db::Recordset customer = customers::seekCustomer(store, mCustId);
        if (customer.noMatch())
            return;
        const QString terms = customer.text(QStringLiteral("Payment Terms"));
        if (!terms.isEmpty())
            cboTerms->setCurrentIndex(cboTerms->findText(terms, Qt::MatchFixedString));

        const QStringList billing =
            customers::invoiceAddressLines(customer, QStringLiteral("billing address line "));
        const QStringList shipping =
            customers::invoiceAddressLines(customer, QStringLiteral("Shipping address Line "));
        for (int i = 0; i < 5; ++i) {
            txtBilling[i]->setText(billing[i]);
            txtShipping[i]->setText(shipping[i]);
        }
    });
}

void frmInvoice::chkSameAddress_Click()
{
    diag::run(kModule, "chkSameAddress_Click", [&] {
        if (!chkSameAddress->isChecked())
            return;
        for (int i = 0; i < 5; ++i)
            txtShipping[i]->setText(txtBilling[i]->text());
    });
}

void frmInvoice::txtBilling_Change(int index)
{
    diag::run(kModule, "txtBilling_Change", [&] {
        if (chkSameAddress->isChecked())
            txtShipping[index]->setText(txtBilling[index]->text());
    });
}

posting::InvoiceDetails frmInvoice::details() const
{
    posting::InvoiceDetails d;
    d.purchaseOrderNumber = txtPO->text();
    d.terms = cboTerms->currentText();
    d.shippingMethod = cboShippingMethod->currentText();
    d.billingLines = texts(txtBilling);
    d.shippingLines = texts(txtShipping);
    d.memo = txtMemo->text();
    d.memoToCustomer = txtMemoToCustomer->text();
    d.salesRepresentative = txtSalesRep->text();
    return d;
}

void frmInvoice::cmdProcess_Click()
{
    diag::run(kModule, "cmdProcess_Click", [&] {
        blankToSpace(txtPO);
        if (cboTerms->currentIndex() < 0) {
            cboTerms->setFocus(Qt::OtherFocusReason);
            return;
        }
        if (cboShippingMethod->currentIndex() < 0) {
            cboShippingMethod->setFocus(Qt::OtherFocusReason);
            return;
        }
        blankToSpace(txtSalesRep);
        // A sale that was not stored stays on the register and in this dialog.
        if (mPost && mPost(details()))
            accept();
    });
}

void frmInvoice::cmdCancel_Click()
{
    diag::run(kModule, "cmdCancel_Click", [&] { reject(); });
}

} // namespace vanta
