// Processing sales from the register: stored, or kept on the register when
// the store cannot take them.
#include "register/RegisterFixture.h"

#include "db/DbError.h"
#include "platform/Currency.h"
#include "support/InvoiceScript.h"
#include "support/RecordingDocuments.h"
#include "support/SaleFixtures.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>

using namespace vanta;


class Checkout : public test::RegisterTest {
protected:
    void SetUp() override
    {
        RegisterTest::SetUp();
        session.documents = &docs;
    }
    int count(const char *table) { return ts.db().scalar(QString("SELECT count(*) FROM \"%1\"").arg(table)).toInt(); }
    double balanceOf(qint32 customer)
    {
        return ts.db().scalar("SELECT balance FROM Customers WHERE \"Cust ID\" = ?", {customer}).toDouble();
    }
    // Fills the invoice dialog's lists and presses its Process, once.
    void answerInvoiceDialog()
    {
        test::processInvoiceDialog(dialogs);
        prompt.answer(platform::Answer::No); // no packing list
    }

    test::RecordingDocuments docs;
};

TEST_F(Checkout, CashSaleIsStoredPrintedAndTheNextSaleStarts)
{
    open();
    scan("073256120013");
    scan("073256120013");
    const qint32 saleId = session.sale.number();
    const QString total = label("lblTotal");
    pay("Cash", "50");

    EXPECT_FLOAT_EQ(ts.db().scalar("SELECT \"total of sale\" FROM Sales WHERE \"Sales ID\" = ?", {saleId}).toFloat(),
                    float(parseCurrency(total)));
    EXPECT_EQ(test::queryRows(ts.db(), "SELECT \"amount tendered\", \"cust id\", paytype, TypeID FROM Sales "
                                       "WHERE \"Sales ID\" = ?", {saleId}),
              QString("50 %1 1 0").arg(storegen::demo::CashSaleCustomer).toStdString());
    EXPECT_EQ(ts.db().scalar("SELECT sum(\"qty sold\") FROM \"Sold Items\" WHERE \"sales id\" = ?", {saleId}).toInt(), 2);
    EXPECT_EQ(ts.db().scalar("SELECT qty FROM Items WHERE \"Item Index\" = 1001").toInt(), 12);
    EXPECT_EQ(docs.printed, QStringList{QString("receipt %1 by 1 +drawer").arg(saleId)});

    EXPECT_EQ(lines().Count(), 0);
    EXPECT_NE(session.sale.number(), saleId);
    for (const char *l : {"lblSubtotal", "lblTax", "lblTotal", "lblChangeDue"})
        EXPECT_EQ(label(l), "$0.00") << l;
    EXPECT_EQ(rowNames(), QStringList{"None"});
}

// Items and variants are numbered apart: item 5001 and the shirt's variant
// 5001 are two goods, on two lines, each sold from its own stock.
TEST_F(Checkout, AnItemAndAVariantWithOneNumberAreTwoLinesAndTwoGoods)
{
    test::insertRow(ts.db(), "Items",
                    {"Item Index", "Name", "barcode label", "LIST PRICE", "qty", "QuantityTrack", "Taxable"},
                    {5001, "Claw hammer 5001", "HAMMER-5001", 5.0, 10, true, false});
    const int shirts = ts.db().scalar("SELECT quantity FROM Subitems WHERE SubItemID = 5001").toInt();
    open();
    scan("HAMMER-5001");
    pos->Add_Item(sale::Good::variant(storegen::demo::FirstVariant)); // as the finder adds it
    scan("HAMMER-5001");
    ASSERT_EQ(lines().Count(), 2);
    EXPECT_EQ(lines().Item(1)->good(), sale::Good::item(5001));
    EXPECT_FLOAT_EQ(lines().Item(1)->qty(), 2.0f);
    EXPECT_FLOAT_EQ(lines().Item(1)->Subtotal().dollars(), 10.0f);
    EXPECT_EQ(lines().Item(2)->good(), sale::Good::variant(5001));
    EXPECT_FLOAT_EQ(lines().Item(2)->qty(), 1.0f);
    EXPECT_EQ(rowNames(), (QStringList{"Claw hammer 5001", lines().Item(2)->Name()}));
    EXPECT_TRUE(lines().Item(2)->Name().startsWith("Store Logo T-Shirt-"));

    const qint32 saleId = session.sale.number();
    pay("Cash", "100");
    EXPECT_EQ(test::queryRows(ts.db(), "SELECT \"Item Index\", subitemsid, \"qty sold\" FROM \"Sold Items\" "
                                       "WHERE \"sales id\" = ? ORDER BY \"line item\"", {saleId}),
              QString("5001  2\n%1 5001 1").arg(storegen::demo::TrackedVariantItem).toStdString());
    EXPECT_FLOAT_EQ(ts.db().scalar("SELECT \"sold price\" FROM \"Sold Items\" WHERE \"sales id\" = ? "
                                   "AND \"Item Index\" = 5001", {saleId}).toFloat(),
                    5.0f);
    EXPECT_EQ(ts.db().scalar("SELECT qty FROM Items WHERE \"Item Index\" = 5001").toInt(), 8);
    EXPECT_EQ(ts.db().scalar("SELECT quantity FROM Subitems WHERE SubItemID = 5001").toInt(), shirts - 1);
}

// Two $10.00 lines, the second ticked exempt: the tax shown, charged,
// stored on the sale and recorded for the agency is the first line's alone,
// under either tax method; a customer who is not taxable is charged and
// recorded none.
TEST_F(Checkout, TheTaxShownIsTheTaxChargedStoredAndRecorded)
{
    for (const char *ab : {"A", "B"})
        test::insertRow(ts.db(), "Items", {"Item Index", "Name", "barcode label", "LIST PRICE", "qty", "Taxable",
                                           "tax rule id"},
                        {9000 + (*ab - '@'), QString("Ten ") + ab, QString("TEN-") + ab, 10.0, 50, true,
                         storegen::seed::RuleGeneral});
    struct Case {
        int method;
        const char *customer; // as the list shows it; empty: the cash sale customer
        QString tax;
        qint64 recordedCents;
    };
    const Case cases[] = {
        {2, "", "$0.70", 70},
        {3, "", "", -1}, // rules: whatever the demo store's rule charges on one line
        {2, "Greenfield School District 12", "$0.00", 0},
        {3, "Greenfield School District 12", "$0.00", 0},
    };
    open();
    for (const Case &c : cases) {
        SCOPED_TRACE(QString("method %1 %2").arg(c.method).arg(c.customer).toStdString());
        ts.db().execute("UPDATE Company SET \"tax option\" = ?, \"sales tax\" = 7", {c.method});
        if (*c.customer) {
            chooseCustomer(c.customer);
        }
        scan("TEN-A");
        scan("TEN-B");
        const QString both = label("lblTax");
        QTest::mouseClick(pos->row(1)->findChild<QCheckBox *>("chk1"), Qt::LeftButton);
        ASSERT_FALSE(lines().Item(2)->Taxable());
        const QString shown = label("lblTax");
        if (!c.tax.isEmpty()) {
            EXPECT_EQ(shown, c.tax);
        }
        if (*c.customer == 0) {
            EXPECT_EQ(parseCurrency(shown) * 2, parseCurrency(both)) << "one of two equal lines is taxed";
        }

        const qint32 saleId = session.sale.number();
        pay("Cash", "100");
        ASSERT_EQ(lines().Count(), 0);
        EXPECT_FLOAT_EQ(ts.db().scalar("SELECT Tax FROM Sales WHERE \"Sales ID\" = ?", {saleId}).toFloat(),
                        float(parseCurrency(shown)));
        const double recorded =
            ts.db().scalar("SELECT COALESCE(sum(total), 0) FROM \"Tax Holder\" WHERE \"Sale ID\" = ?", {saleId})
                .toDouble();
        EXPECT_NEAR(recorded, parseCurrency(shown), 1e-9);
        if (c.recordedCents >= 0) {
            EXPECT_EQ(qRound64(recorded * 100), c.recordedCents);
        }
        const int agencies =
            ts.db().scalar("SELECT count(*) FROM \"Tax Holder\" WHERE \"Sale ID\" = ?", {saleId}).toInt();
        if (*c.customer) {
            EXPECT_EQ(agencies, 0) << "a customer who is not taxable has no tax recorded";
        } else {
            EXPECT_EQ(agencies, c.method == 2 ? 1 : 3) << "Fixed Tax, or the rule's state, county and city";
        }
        EXPECT_EQ(ts.db().scalar("SELECT count(*) FROM \"Sold Items\" WHERE \"sales id\" = ? AND taxed <> 0",
                                 {saleId})
                      .toInt(),
                  1);
    }
}

TEST_F(Checkout, LockedStoreKeepsTheSaleOnTheRegister)
{
    open();
    scan("073256120013");
    const qint32 saleId = session.sale.number();
    choosePayType("Credit Card");
    db::Workspace backOffice(*ts.store); // another program is writing
    backOffice.beginTrans();
    session.store().separateConnection().connection().setBusyTimeout(50);
    ASSERT_TRUE(button("cmdProcessTransaction")->isEnabled());
    ASSERT_EQ(child<QLineEdit>("txtAmountTendered")->text(), label("lblTotal").mid(1));
    process();
    EXPECT_TRUE(prompt.texts().contains("You transaction was not completed successfully.")) << prompt.texts().join("|").toStdString();
    EXPECT_EQ(lines().Count(), 1);
    EXPECT_EQ(session.sale.number(), saleId);
    EXPECT_EQ(rowNames(), QStringList{"Claw Hammer 16 oz"});
    backOffice.rollback();
    EXPECT_EQ(count("Sales"), 0);

    process(); // the same sale goes through once the store is free
    EXPECT_EQ(count("Sales"), 1);
    EXPECT_EQ(lines().Count(), 0);
}

TEST_F(Checkout, InvoiceSaleNeedsCreditAndGoesThroughTheInvoiceDialog)
{
    open();
    scan("073256120013");
    choosePayType("INVOICE");
    process(); // CASH SALE has no credit limit
    EXPECT_EQ(prompt.last().text, "The selected customer does not have invoice permissions.");
    EXPECT_EQ(prompt.last().title, "Vanta POS");

    chooseCustomer("Adams Hardware Supply");
    const qint32 saleId = session.sale.number();
    const double before = balanceOf(2);
    answerInvoiceDialog();
    process();
    EXPECT_EQ(dialogs.titles().last(), "Invoice");
    EXPECT_EQ(ts.db().scalar("SELECT TypeID FROM Sales WHERE \"Sales ID\" = ?", {saleId}).toInt(), 3);
    EXPECT_GT(balanceOf(2), before);
    EXPECT_EQ(docs.printed, QStringList{"singlesale.rpt " + QString::number(saleId)});
    EXPECT_EQ(lines().Count(), 0);
}

// Passing over a pay type that fills the tender (by arrow keys, or by
// choosing it first) must not leave that tender on an invoice: the sale is
// posted unpaid and the customer owes the whole total.
TEST_F(Checkout, InvoiceChosenAfterAFillingPayTypeIsPostedUnpaid)
{
    open();
    QComboBox *payTypes = child<QComboBox>("cmbPayType");
    chooseCustomer("Adams Hardware Supply");
    for (const bool byKeys : {true, false}) {
        SCOPED_TRACE(byKeys ? "arrow keys down the list" : "Check, then INVOICE");
        scan("073256120013");
        scan("073256120013");
        const qint32 saleId = session.sale.number();
        const qint64 total = pos->totals().totalDue();
        const double before = balanceOf(storegen::demo::CreditCustomer);
        if (byKeys) {
            payTypes->setFocus();
            for (int i = 0; i <= payTypes->findText("INVOICE"); ++i)
                QTest::keyClick(payTypes, Qt::Key_Down);
        } else {
            choosePayType("Check");
            EXPECT_EQ(child<QLineEdit>("txtAmountTendered")->text(), formatNumberCents(total));
            choosePayType("INVOICE");
        }
        ASSERT_EQ(payTypes->currentText(), "INVOICE");
        EXPECT_EQ(child<QLineEdit>("txtAmountTendered")->text(), "0.00");

        answerInvoiceDialog();
        process();
        EXPECT_EQ(test::queryRows(ts.db(), "SELECT Paid, \"total paid\", \"amount tendered\" FROM Sales "
                                           "WHERE \"Sales ID\" = ?", {saleId}),
                  "No 0 0") << "the invoice was posted unpaid";
        EXPECT_EQ(toCents(balanceOf(storegen::demo::CreditCustomer) - before), total);
        chooseCustomer("Adams Hardware Supply");
    }
}

TEST_F(Checkout, ACashSaleOpensTheDrawerAndTheLastReceiptCanBeReprintedAsACopy)
{
    open();
    key(Qt::Key_P, Qt::ControlModifier); // nothing sold yet
    EXPECT_EQ(prompt.last().text, "No receipt has been printed at this register since it was started.");
    EXPECT_TRUE(docs.printed.isEmpty());

    scan("073256120013");
    const qint32 cashSale = session.sale.number();
    pay("Cash", "50");

    scan("073256120013");
    const qint32 cardSale = session.sale.number();
    pay("Credit Card");
    // No cash, no drawer.
    EXPECT_EQ(docs.printed, (QStringList{QString("receipt %1 by 1 +drawer").arg(cashSale),
                                         QString("receipt %1 by 1").arg(cardSale)}));

    // Ctrl+P prints the last receipt again, marked as a copy, without the drawer.
    prompt.clearRecord();
    key(Qt::Key_P, Qt::ControlModifier);
    ASSERT_EQ(docs.printed.size(), 3);
    EXPECT_EQ(docs.printed[2], QString("receipt %1 by 1 COPY").arg(cardSale));
    EXPECT_EQ(prompt.count(), 0);
    EXPECT_NE(cashSale, cardSale);

    // A printer problem on a reprint is told, with another try offered.
    docs.problems = {"The receipt printer /dev/usb/lp0 is not there."};
    prompt.answer(platform::Answer::No);
    pos->findChild<QAction *>("mnuReprintReceipt")->trigger();
    EXPECT_EQ(prompt.last().text, QString("The copy of the receipt of sale %1 was not printed.\n\n"
                                          "The receipt printer /dev/usb/lp0 is not there.\n\nPrint the receipt again?")
                                      .arg(cardSale));

    // The drawer command (security off) kicks the drawer through the documents.
    prompt.clearRecord();
    pos->findChild<QAction *>("mnuOpenCashDrawer")->trigger();
    EXPECT_EQ(docs.printed.last(), "drawer");
    EXPECT_EQ(prompt.count(), 0);
}
