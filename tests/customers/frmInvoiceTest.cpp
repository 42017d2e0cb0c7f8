#include "customers/InvoiceFixture.h"
#include "customers/frmInvoice.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace vanta;

namespace {

// The invoice dialog of one customer, shown and active, posting through a
// stand-in that records what it is handed and answers `postSucceeds`.
class frmInvoiceTest : public vanta::test::InvoiceTest {
protected:
    void open(qint32 custId)
    {
        dlg = std::make_unique<frmInvoice>(session.store(), custId, [this](const posting::InvoiceDetails &d) {
            posted.push_back(d);
            return postSucceeds;
        });
        dlg->show();
        QApplication::setActiveWindow(dlg.get());
    }
    QLineEdit *edit(const QString &name) const { return dlg->findChild<QLineEdit *>(name); }
    QComboBox *list(const char *name) const { return dlg->findChild<QComboBox *>(name); }
    QStringList lines(const QString &kind) const
    {
        QStringList out;
        for (int n = 1; n <= 5; ++n)
            out << edit("txt" + kind + QString::number(n))->text();
        return out;
    }
    void process() { QTest::mouseClick(dlg->findChild<QPushButton *>("cmdProcess"), Qt::LeftButton); }

    // Billing lines 1 and 2 filled but line 3 empty, a stored shipping
    // address, no state on file, terms in lower case.
    void addPrairieFeed()
    {
        addCustomer(90, "Prairie Feed",
                    {{"Address", "12 Elm St"}, {"City", "Peoria"}, {"Zip", "61602"},
                     {"billing address line 1", "Old Name"}, {"billing address line 2", "Old Street"},
                     {"Shipping address Line 1", "Dock 4"}, {"Shipping address Line 3", "Pekin, IL 61554"},
                     {"Payment Terms", "net 10"}});
    }

    std::unique_ptr<frmInvoice> dlg;
    std::vector<posting::InvoiceDetails> posted;
    bool postSucceeds = true;
};

} // namespace

TEST_F(frmInvoiceTest, OpeningFillsListsTermsAndAddresses)
{
    open(storegen::demo::CreditCustomer);
    EXPECT_EQ(dlg->windowTitle(), "Invoice");
    EXPECT_EQ(list("cboTerms")->itemText(0), "2% 10 Net 30");
    EXPECT_EQ(list("cboShippingMethod")->itemText(0), "Customer Pickup");
    EXPECT_EQ(list("cboTerms")->currentText(), "Net 30");
    EXPECT_EQ(list("cboShippingMethod")->currentIndex(), -1);
    const QStringList stored{"Adams Hardware Supply Co.", "2250 Dirksen Parkway", "Springfield, IL 62703", "USA", ""};
    EXPECT_EQ(lines("Billing"), stored);
    EXPECT_EQ(lines("Shipping"), stored);

    addPrairieFeed();
    open(90);
    EXPECT_EQ(list("cboTerms")->currentText(), "Net 10");
    EXPECT_EQ(lines("Billing"), QStringList({"Prairie Feed", "12 Elm St", "Peoria,  61602", "", ""}));
    EXPECT_EQ(lines("Shipping"), QStringList({"Dock 4", "", "Pekin, IL 61554", "", ""}));

    open(4242); // not on file: lists only
    EXPECT_EQ(list("cboTerms")->count(), 5);
    EXPECT_EQ(list("cboTerms")->currentIndex(), -1);
    EXPECT_EQ(lines("Billing"), QStringList({"", "", "", "", ""}));
}

TEST_F(frmInvoiceTest, ProcessChecksFieldsAndKeepsTheSaleWhenPostingFails)
{
    addCustomer(91, "No Terms");
    open(91);
    process();
    EXPECT_EQ(QApplication::focusWidget(), list("cboTerms"));
    QTest::keyClick(list("cboTerms"), Qt::Key_Down);
    process();
    EXPECT_EQ(QApplication::focusWidget(), list("cboShippingMethod"));
    EXPECT_TRUE(posted.empty());

    QTest::keyClick(list("cboShippingMethod"), Qt::Key_Down);
    QTest::keyClicks(edit("txtMemoToCustomer"), "Thank you!");
    postSucceeds = false;
    process();
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_TRUE(dlg->isVisible()); // not stored: the cashier can try again

    postSucceeds = true;
    process();
    ASSERT_EQ(posted.size(), 2u);
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_FALSE(dlg->isVisible());
    const posting::InvoiceDetails &d = posted.back();
    EXPECT_EQ(QStringList({d.purchaseOrderNumber, d.salesRepresentative, d.terms, d.shippingMethod, d.memoToCustomer}),
              QStringList({" ", " ", "2% 10 Net 30", "Customer Pickup", "Thank you!"}));
    EXPECT_EQ(d.billingLines, QStringList({"No Terms", "", ",  ", "", ""}));
}

TEST_F(frmInvoiceTest, SameAddressCopiesBillingWhileChecked)
{
    addPrairieFeed();
    open(90);
    auto *same = dlg->findChild<QCheckBox *>("chkSameAddress");
    EXPECT_EQ(same->toolTip(), "Check to make Shipping Address the same as Billing Address");
    QTest::keyClick(same, Qt::Key_Space);
    EXPECT_EQ(lines("Shipping"), lines("Billing"));
    QTest::keyClicks(edit("txtBilling4"), "Attn: Receiving");
    QTest::keyClick(same, Qt::Key_Space); // unchecked: no more copies
    QTest::keyClicks(edit("txtBilling5"), "USA");

    QTest::keyClicks(edit("txtPO"), "PO-7781");
    QTest::keyClick(list("cboShippingMethod"), Qt::Key_Down);
    process();
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].purchaseOrderNumber, "PO-7781");
    EXPECT_EQ(posted[0].billingLines.mid(3), QStringList({"Attn: Receiving", "USA"}));
    EXPECT_EQ(posted[0].shippingLines,
              QStringList({"Prairie Feed", "12 Elm St", "Peoria,  61602", "Attn: Receiving", ""}));
}

TEST_F(frmInvoiceTest, CancelPostsNothing)
{
    open(storegen::demo::CreditCustomer);
    dialogs.then([](QDialog &d) {
        QTest::keyClicks(d.findChild<QLineEdit *>("txtPO"), "PO-1");
        QTest::mouseClick(d.findChild<QPushButton *>("cmdCancel"), Qt::LeftButton);
        return d.result();
    });
    EXPECT_EQ(dialogs.run(*dlg), QDialog::Rejected);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_TRUE(posted.empty());
}
