#include "posting/PostingFixture.h"

#include "diagnostics/VantaError.h"

#include "posting/PostingSteps.h"

using namespace vanta;
using namespace vanta::posting;

namespace {

class SalePosting : public test::PostingTest {
protected:
    QVariantMap sale(qint32 id) { return row("SELECT * FROM \"Sales\" WHERE \"Sales ID\" = ?", {id}); }
    QVariantMap soldLine(qint32 saleId, int lineItem)
    {
        return row("SELECT * FROM \"Sold Items\" WHERE \"sales id\" = ? AND \"line item\" = ?", {saleId, lineItem});
    }
    static double single(double v) { return double(float(v)); }
};

} // namespace

TEST_F(SalePosting, OrdinarySaleStoresSaleLinesAndStock)
{
    // A Sold ID already committed by an earlier sale.
    test::insertRow(db(), "Sold Items", {"Sold ID", "sales id"}, {9, 1});
    sell({line(100, 12.5f, 2, 41), line(2001, 15, 1, 11, 21), line(3001, 10, 3, 31, 0, false)});
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    // 500 comes twice within the sale, 9 is taken in the store.
    ASSERT_TRUE(PostSale(store(), session.sale.lines(),
                         request(OrdinarySale, 777, 10, "$1,234.56", "$80.00", "$1,300.00", "$65.44"), prompt,
                         offering({500, 500, 501, 9, 502})));
    EXPECT_EQ(prompt.count(), 0);

    const QVariantMap s = sale(777);
    EXPECT_DOUBLE_EQ(s["total of sale"].toDouble(), single(1234.56));
    EXPECT_DOUBLE_EQ(s["Tax"].toDouble(), 80.0);
    EXPECT_DOUBLE_EQ(s["total paid"].toDouble(), 1300.0);
    EXPECT_DOUBLE_EQ(s["amount tendered"].toDouble(), 1300.0);
    EXPECT_DOUBLE_EQ(s["Change"].toDouble(), single(65.44));
    EXPECT_DOUBLE_EQ(s["Shipping"].toDouble(), 0.0);
    EXPECT_DOUBLE_EQ(s["tax percent"].toDouble(), 6.9) << "80 / 1154.56, one decimal";
    const QDateTime posted = QDateTime::fromString(s["date of sale"].toString(), Qt::ISODate);
    EXPECT_TRUE(posted >= before && posted <= QDateTime::currentDateTime()) << s["date of sale"].toString().toStdString();
    EXPECT_EQ(s["due date"], s["date of sale"]);
    EXPECT_TRUE(s["shipdate"].isNull());
    EXPECT_EQ(texts(s, {"cust id", "paytype", "sold by", "TypeID", "billingaddressline1", "billingaddressline2",
                        "billingaddressline3", "billingaddressline4", "billingaddressline5", "Shippingaddressline1",
                        "Shippingaddressline2", "Shippingaddressline3", "paidinfull", "Paid", "Memo",
                        "SalesRepresentative"}),
              QStringList({"10", "3", "2", "0", "Ann Buyer", "1 Main St", "Springfield, IL  62701", "USA", " ",
                           "Ship 1", "Ship 2", "<null>", "1", "Yes", "", "2"}));
    EXPECT_EQ(texts(s, {"ShippingMethod", "purchaseordernumber", "terms", "MemotoCustomer", "approvalcode",
                        "transactionid"}),
              QStringList(6, "None"));

    // Lines 1..3 with distinct numbers; variants name their parent and own values.
    const QVariantMap l1 = soldLine(777, 1), l2 = soldLine(777, 2), l3 = soldLine(777, 3);
    const QStringList columns = {"Sold ID", "Item Index", "subitemsid", "Option1", "Option2", "Option3", "taxed"};
    EXPECT_EQ(texts(l1, columns), QStringList({"500", "100", "<null>", "41", "0", "0", "1"}));
    EXPECT_EQ(texts(l2, columns), QStringList({"501", "200", "2001", "11", "21", "0", "1"}));
    EXPECT_EQ(texts(l3, columns), QStringList({"502", "300", "3001", "31", "0", "0", "0"}));
    EXPECT_DOUBLE_EQ(l1["sold price"].toDouble(), 12.5);
    EXPECT_DOUBLE_EQ(l1["qty sold"].toDouble(), 2.0);
    EXPECT_DOUBLE_EQ(l1["other costs"].toDouble(), 3.75) << "item cost plus option cost";
    EXPECT_DOUBLE_EQ(l2["other costs"].toDouble(), single(4.0f + 0.75f + 0.40f));
    EXPECT_DOUBLE_EQ(l3["other costs"].toDouble(), 3.0);
    EXPECT_EQ(db().scalar("SELECT count(*) FROM \"Sold Items\" WHERE \"sales id\" = 777").toInt(), 3);

    // Stock: the plain item; the tracked variant's own stock and its parent's
    // sold count; the untracked variant's parent item.
    EXPECT_EQ(test::queryRows(db(), "SELECT \"Item Index\", qty, \"total qty sold\" FROM Items ORDER BY 1"),
              "100 8 7\n200 50 1\n300 27 4");
    EXPECT_EQ(test::queryRows(db(), "SELECT SubItemID, quantity FROM Subitems WHERE SubItemID < 4000 ORDER BY 1"),
              "2001 5\n3001 8");

    EXPECT_DOUBLE_EQ(row("SELECT balance FROM Customers WHERE \"Cust ID\" = 10")["balance"].toDouble(), 100)
        << "an ordinary sale leaves the balance";
    EXPECT_EQ(db().scalar("SELECT count(*) FROM \"Tax Holder\"").toInt(), 0) << "tax option 0 records nothing";
}

TEST_F(SalePosting, CityLineTaxPercentAndInvoiceColumns)
{
    sell({line(100, 5, 1)});
    ASSERT_TRUE(PostSale(store(), session.sale.lines(), request(OrdinarySale, 1, 11, "$5.00", "$5.00", "$5", "0"),
                         prompt));
    const QVariantMap s = sale(1);
    EXPECT_EQ(s["billingaddressline3"].toString(), "IL  62703") << "no city: state, two spaces, zip";
    EXPECT_TRUE(s["billingaddressline2"].isNull());
    EXPECT_TRUE(s["billingaddressline4"].isNull());
    EXPECT_DOUBLE_EQ(s["tax percent"].toDouble(), 0.0) << "total equals tax";
    EXPECT_DOUBLE_EQ(TaxPercent(107.5f, 7.5f), 7.5);
    EXPECT_DOUBLE_EQ(TaxPercent(-1.0f, 1.0f), -50.0);

    // An invoice takes nothing now: the dialog's texts, the whole total on
    // the balance; the fixed-rate tax recorded in the same transaction.
    db().execute("UPDATE \"Company\" SET \"tax option\" = 2");
    PostingRequest invoice = request(InvoiceSale, 2, 10, "$250.00", "$0.00", "$100.00", "$0.00");
    // One that arrives with an amount paid is a fault: refused, nothing written.
    const std::string before = snapshot();
    EXPECT_THROW(PostSale(store(), session.sale.lines(), invoice, prompt), VantaError);
    EXPECT_EQ(snapshot(), before);
    invoice.amounts.tendered = 0;
    invoice.invoice = InvoiceDetails{"PO-1", "Net 30", "UPS Ground", {"B1", "B2", "B3", "B4", "B5"},
                                     {"S1", "S2", "S3"}, "memo", QString(60, QLatin1Char('m')), "Jo"};
    ASSERT_TRUE(PostSale(store(), session.sale.lines(), invoice, prompt));
    const QVariantMap v = sale(2);
    EXPECT_EQ(texts(v, {"TypeID", "paidinfull", "Paid", "purchaseordernumber", "terms", "ShippingMethod",
                        "billingaddressline1", "billingaddressline5", "Shippingaddressline3", "Shippingaddressline4",
                        "Memo", "MemotoCustomer", "SalesRepresentative", "approvalcode"}),
              QStringList({"3", "0", "No", "PO-1", "Net 30", "UPS Ground", "B1", "B5", "S3", "", "memo",
                           QString(50, QLatin1Char('m')), "Jo", "None"}));
    EXPECT_FALSE(v["shipdate"].toString().isEmpty());
    EXPECT_DOUBLE_EQ(row("SELECT balance FROM Customers WHERE \"Cust ID\" = 10")["balance"].toDouble(), 350.0);
    EXPECT_DOUBLE_EQ(v["total paid"].toDouble(), 0.0);
    const QVariantMap tax = row("SELECT * FROM \"Tax Holder\" WHERE \"Sale ID\" = 2");
    EXPECT_EQ(tax["Tax agency"].toString(), "Fixed Tax");
    EXPECT_NEAR(tax["total"].toDouble(), 0.35, 1e-9);
    EXPECT_EQ(db().scalar("SELECT count(*) FROM \"Tax Holder\"").toInt(), 1);
}

// What each line was paid is kept for its return: the subtotal after the
// discount, and its share of the tax by agency. A store without the tables
// for it still takes the sale.
TEST_F(SalePosting, WhatEachLinePaidIsKeptForItsReturn)
{
    db().execute("UPDATE Company SET \"tax option\" = 2, \"sales tax\" = 7");
    sell(hammersAndCaps());
    ASSERT_TRUE(PostSale(store(), session.sale.lines(),
                         request(OrdinarySale, 778, 10, "$49.40", "$1.40", "$49.40", "$0.00"), prompt,
                         offering({500, 501})));
    EXPECT_EQ(test::queryRows(db(), "SELECT \"Sold ID\", subtotal, discount FROM \"Sold Line Paid\" "
                                    "WHERE \"sales id\" = 778 ORDER BY \"Sold ID\""),
              "500 18 10\n501 30 0");
    // The fixed rate taxes price x quantity: 2 x $10.00 x 7 %; the cap is exempt.
    EXPECT_EQ(test::queryRows(db(), "SELECT \"Sold ID\", \"Tax agency\", total FROM \"Sold Line Tax\" "
                                    "WHERE \"sales id\" = 778"),
              "500 Fixed Tax 1.4");
    EXPECT_EQ(test::queryRows(db(), "SELECT \"Tax agency\", \"Jurisdiction\", total FROM \"Tax Jurisdictions\" "
                                    "WHERE \"Sale ID\" = 778"),
              "Fixed Tax  1.4") << "the fixed rate is under no jurisdiction";

    for (const char *table : {"Sold Line Paid", "Sold Line Tax", "Tax Jurisdictions"})
        db().execute(QStringLiteral("DROP TABLE \"%1\"").arg(table));
    store().database().connection().forgetSchema();
    session.sale.clearLines();
    sell({line(100, 10, 1)});
    EXPECT_TRUE(PostSale(store(), session.sale.lines(),
                         request(OrdinarySale, 779, 10, "$10.70", "$0.70", "$10.70", "$0.00"), prompt));
    EXPECT_EQ(sale(779)["total of sale"].toDouble(), single(10.70));
}
