// Processing sales from the register: stored, or kept on the register when
// the store cannot take them.
#include "register/RegisterFixture.h"

#include "db/DbError.h"
#include "platform/Currency.h"
#include "posting/SaleDocuments.h"

#include <QDialog>

using namespace vanta;

namespace {

class RecordingDocuments : public posting::SaleDocuments {
public:
    int printerCount() override { return printers; }
    void printReceipt(db::Store &, qint32 saleId, qint32 employeeId) override { receipts << qMakePair(saleId, employeeId); }
    void printReport(db::Store &, const QString &layout, qint32 saleId) override { reports << layout + "#" + QString::number(saleId); }
    int printers = 1;
    QList<QPair<qint32, qint32>> receipts;
    QStringList reports;
};

} // namespace

class Checkout : public test::RegisterTest {
protected:
    void SetUp() override
    {
        RegisterTest::SetUp();
        session.documents = &docs;
    }
    void choosePayType(const QString &name)
    {
        QComboBox *c = child<QComboBox>("cmbPayType");
        c->setCurrentIndex(c->findText(name));
    }
    void process() { QTest::mouseClick(button("cmdProcessTransaction"), Qt::LeftButton); }
    int count(const char *table) { return ts.db().scalar(QString("SELECT count(*) FROM \"%1\"").arg(table)).toInt(); }

    RecordingDocuments docs;
};

TEST_F(Checkout, CashSaleIsStoredPrintedAndTheNextSaleStarts)
{
    open();
    scan("073256120013");
    scan("073256120013");
    const qint32 saleId = session.mlSaleID;
    const QString total = label("lblTotal");
    choosePayType("Cash");
    child<QLineEdit>("txtAmountTendered")->setText("50");
    process();

    auto sale = ts.db().openQuery("SELECT \"total of sale\", \"amount tendered\", \"cust id\", paytype, TypeID "
                                  "FROM Sales WHERE \"Sales ID\" = ?", {saleId});
    ASSERT_FALSE(sale.eof());
    EXPECT_FLOAT_EQ(db::asSingle(sale.field(0)), float(parseCurrency(total)));
    EXPECT_FLOAT_EQ(db::asSingle(sale.field(1)), 50.0f);
    EXPECT_EQ(db::asLong(sale.field(2)), storegen::demo::CashSaleCustomer);
    EXPECT_EQ(db::asLong(sale.field(3)), 1);
    EXPECT_EQ(db::asLong(sale.field(4)), 0);
    EXPECT_EQ(ts.db().scalar("SELECT sum(\"qty sold\") FROM \"Sold Items\" WHERE \"sales id\" = ?", {saleId}).toInt(), 2);
    EXPECT_EQ(ts.db().scalar("SELECT qty FROM Items WHERE \"Item Index\" = 1001").toInt(), 12);
    ASSERT_EQ(docs.receipts.size(), 1);
    EXPECT_EQ(docs.receipts[0].first, saleId);

    EXPECT_EQ(lines().Count(), 0);
    EXPECT_NE(session.mlSaleID, saleId);
    for (const char *l : {"lblSubtotal", "lblTax", "lblTotal", "lblChangeDue"})
        EXPECT_EQ(label(l), "$0.00") << l;
    EXPECT_EQ(rowNames(), QStringList{"None"});
}

TEST_F(Checkout, LockedStoreKeepsTheSaleOnTheRegister)
{
    open();
    scan("073256120013");
    const qint32 saleId = session.mlSaleID;
    choosePayType("Credit Card");
    db::Workspace backOffice(*ts.store); // another program is writing
    backOffice.beginTrans();
    session.store().separateConnection().connection().setBusyTimeout(50);
    ASSERT_TRUE(button("cmdProcessTransaction")->isEnabled());
    ASSERT_EQ(child<QLineEdit>("txtAmountTendered")->text(), label("lblTotal").mid(1));
    process();
    EXPECT_TRUE(prompt.texts().contains("You transaction was not completed successfully.")) << prompt.texts().join("|").toStdString();
    EXPECT_EQ(lines().Count(), 1);
    EXPECT_EQ(session.mlSaleID, saleId);
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

    QComboBox *customers = child<QComboBox>("cmbCustomers");
    customers->setCurrentIndex(customers->findText("Adams Hardware Supply", Qt::MatchStartsWith));
    const qint32 saleId = session.mlSaleID;
    const double before = ts.db().scalar("SELECT balance FROM Customers WHERE \"Cust ID\" = 2").toDouble();
    dialogs.then([](QDialog &dlg) {
        for (const char *list : {"cboTerms", "cboShippingMethod"}) {
            QComboBox *c = dlg.findChild<QComboBox *>(list);
            if (c->currentIndex() < 0)
                c->setCurrentIndex(0);
        }
        QTest::mouseClick(dlg.findChild<QPushButton *>("cmdProcess"), Qt::LeftButton);
        return dlg.result();
    });
    test::ScriptedPrompt &p = prompt;
    p.answer(platform::Answer::No); // no packing list
    process();
    EXPECT_EQ(dialogs.titles().last(), "Invoice");
    EXPECT_EQ(ts.db().scalar("SELECT TypeID FROM Sales WHERE \"Sales ID\" = ?", {saleId}).toInt(), 3);
    EXPECT_GT(ts.db().scalar("SELECT balance FROM Customers WHERE \"Cust ID\" = 2").toDouble(), before);
    EXPECT_EQ(docs.reports, QStringList{"singlesale.rpt#" + QString::number(saleId)});
    EXPECT_EQ(lines().Count(), 0);
}
