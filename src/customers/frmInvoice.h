#pragma once

#include "posting/PostingRequest.h"

#include <QDialog>
#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace vanta::db {
class Store;
}

namespace vanta {

// The invoice dialog: collects purchase order, terms, shipping method, sales
// representative, memos and the billing and shipping addresses of an invoice
// sale for the register's selected customer, then hands them to `post`. The
// register's `post` stores the sale as an invoice sale and starts a new one;
// it returns false when the sale was not stored, and the dialog then stays
// open so that the sale is not lost. Cancel closes without storing anything.
class frmInvoice : public QDialog {
    Q_OBJECT
public:
    using PostInvoice = std::function<bool(const posting::InvoiceDetails &)>;

    frmInvoice(db::Store &store, qint32 custId, PostInvoice post, QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;

private:
    using Lines = std::array<QLineEdit *, 5>;

    void Form_Load();
    void chkSameAddress_Click();
    void txtBilling_Change(int index);
    void cmdProcess_Click();
    void cmdCancel_Click();

    posting::InvoiceDetails details() const;
    // A frame of five address lines named txt<kind>1..5, the first two labelled.
    QGroupBox *addressFrame(const QString &title, const QString &kind, Lines &lines);

    db::Store &mStore;
    qint32 mCustId;
    PostInvoice mPost;
    bool mLoaded = false;

    QLineEdit *txtPO;
    QComboBox *cboTerms;
    QComboBox *cboShippingMethod;
    QLineEdit *txtSalesRep;
    QLineEdit *txtMemo;
    QLineEdit *txtMemoToCustomer;
    Lines txtBilling{};
    Lines txtShipping{};
    QGroupBox *fraBilling;
    QCheckBox *chkSameAddress;
    QGroupBox *fraShipping;
    QPushButton *cmdProcess;
    QPushButton *cmdCancel;
};

} // namespace vanta
