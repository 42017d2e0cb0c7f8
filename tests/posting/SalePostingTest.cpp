#include "posting/PostingFixture.h"

#include "diagnostics/VantaError.h"

#include "posting/PostingSteps.h"

using namespace vanta;
using namespace vanta::posting;

namespace {

class SalePosting : public test::PostingTest {
protected:
    QVariantMap sale(qint32 id) { return row("SELECT * FROM \"Sales\" WHERE \"Sales ID\" = ?", {id}); }
    QVariantMap item(qint32 id) { return row("SELECT * FROM \"Items\" WHERE \"Item Index\" = ?", {id}); }
    QVariantMap variant(qint32 id) { return row("SELECT * FROM \"Subitems\" WHERE \"SubItemID\" = ?", {id}); }
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
    EXPECT_EQ(s["cust id"].toInt(), 10);
    EXPECT_EQ(s["paytype"].toInt(), 3);
    EXPECT_EQ(s["sold by"].toInt(), 2);
    EXPECT_EQ(s["TypeID"].toInt(), 0);
    EXPECT_EQ(s["billingaddressline1"].toString(), "Ann Buyer");
    EXPECT_EQ(s["billingaddressline2"].toString(), "1 Main St");
    EXPECT_EQ(s["billingaddressline3"].toString(), "Springfield, IL  62701");
    EXPECT_EQ(s["billingaddressline4"].toString(), "USA");
    EXPECT_EQ(s["billingaddressline5"].toString(), " ");
    EXPECT_EQ(s["Shippingaddressline1"].toString(), "Ship 1");
    EXPECT_EQ(s["Shippingaddressline2"].toString(), "Ship 2");
    EXPECT_TRUE(s["Shippingaddressline3"].isNull());
    EXPECT_EQ(s["paidinfull"].toInt(), 1);
    EXPECT_EQ(s["Paid"].toString(), "Yes");
    for (const char *none : {"ShippingMethod", "purchaseordernumber", "terms", "MemotoCustomer", "approvalcode",
                             "transactionid"})
        EXPECT_EQ(s[none].toString(), "None") << none;
    EXPECT_TRUE(!s["Memo"].isNull() && s["Memo"].toString().isEmpty());
    EXPECT_EQ(s["SalesRepresentative"].toString(), "2");

    // Lines 1..3 with distinct numbers; variants name their parent and own values.
    const QVariantMap l1 = soldLine(777, 1), l2 = soldLine(777, 2), l3 = soldLine(777, 3);
    EXPECT_EQ(l1["Sold ID"].toInt(), 500);
    EXPECT_EQ(l2["Sold ID"].toInt(), 501);
    EXPECT_EQ(l3["Sold ID"].toInt(), 502);
    EXPECT_EQ(l1["Item Index"].toInt(), 100);
    EXPECT_TRUE(l1["subitemsid"].isNull());
    EXPECT_EQ(l1["Option1"].toInt(), 41);
    EXPECT_DOUBLE_EQ(l1["sold price"].toDouble(), 12.5);
    EXPECT_DOUBLE_EQ(l1["qty sold"].toDouble(), 2.0);
    EXPECT_EQ(l1["taxed"].toInt(), 1);
    EXPECT_DOUBLE_EQ(l1["other costs"].toDouble(), 3.75) << "item cost plus option cost";
    EXPECT_EQ(l2["Item Index"].toInt(), 200);
    EXPECT_EQ(l2["subitemsid"].toInt(), 2001);
    EXPECT_EQ(QList<int>({l2["Option1"].toInt(), l2["Option2"].toInt(), l2["Option3"].toInt()}),
              QList<int>({11, 21, 0}));
    EXPECT_DOUBLE_EQ(l2["other costs"].toDouble(), single(4.0f + 0.75f + 0.40f));
    EXPECT_EQ(l3["Item Index"].toInt(), 300);
    EXPECT_EQ(l3["taxed"].toInt(), 0);
    EXPECT_DOUBLE_EQ(l3["other costs"].toDouble(), 3.0);
    EXPECT_EQ(db().scalar("SELECT count(*) FROM \"Sold Items\" WHERE \"sales id\" = 777").toInt(), 3);

    // Stock: the plain item; the tracked variant's own stock and its parent's
    // sold count; the untracked variant's parent item.
    EXPECT_DOUBLE_EQ(item(100)["qty"].toDouble(), 8);
    EXPECT_DOUBLE_EQ(item(100)["total qty sold"].toDouble(), 7);
    EXPECT_DOUBLE_EQ(variant(2001)["quantity"].toDouble(), 5);
    EXPECT_DOUBLE_EQ(item(200)["qty"].toDouble(), 50);
    EXPECT_DOUBLE_EQ(item(200)["total qty sold"].toDouble(), 1);
    EXPECT_DOUBLE_EQ(variant(3001)["quantity"].toDouble(), 8);
    EXPECT_DOUBLE_EQ(item(300)["qty"].toDouble(), 27);
    EXPECT_DOUBLE_EQ(item(300)["total qty sold"].toDouble(), 4);

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
    EXPECT_EQ(v["TypeID"].toInt(), 3);
    EXPECT_EQ(v["paidinfull"].toInt(), 0);
    EXPECT_EQ(v["Paid"].toString(), "No");
    EXPECT_EQ(v["purchaseordernumber"].toString(), "PO-1");
    EXPECT_EQ(v["terms"].toString(), "Net 30");
    EXPECT_EQ(v["ShippingMethod"].toString(), "UPS Ground");
    EXPECT_EQ(v["billingaddressline1"].toString(), "B1");
    EXPECT_EQ(v["billingaddressline5"].toString(), "B5");
    EXPECT_EQ(v["Shippingaddressline3"].toString(), "S3");
    EXPECT_EQ(v["Shippingaddressline4"].toString(), "");
    EXPECT_EQ(v["Memo"].toString(), "memo");
    EXPECT_EQ(v["MemotoCustomer"].toString(), QString(50, QLatin1Char('m')));
    EXPECT_EQ(v["SalesRepresentative"].toString(), "Jo");
    EXPECT_FALSE(v["shipdate"].toString().isEmpty());
    EXPECT_EQ(v["approvalcode"].toString(), "None");
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
    const auto rows = [&](const char *sql) {
        QStringList out;
        for (db::Recordset rs = db().openQuery(sql); !rs.eof(); rs.moveNext())
            out << rs.field(0).toString() + " " + rs.field(1).toString() + " " + rs.field(2).toString();
        return out;
    };
    EXPECT_EQ(rows("SELECT \"Sold ID\", subtotal, discount FROM \"Sold Line Paid\" WHERE \"sales id\" = 778 "
                   "ORDER BY \"Sold ID\""),
              (QStringList{"500 18 10", "501 30 0"}));
    // The fixed rate taxes price x quantity: 2 x $10.00 x 7 %; the cap is exempt.
    EXPECT_EQ(rows("SELECT \"Sold ID\", \"Tax agency\", total FROM \"Sold Line Tax\" WHERE \"sales id\" = 778"),
              QStringList{"500 Fixed Tax 1.4"});

    for (const char *table : {"Sold Line Paid", "Sold Line Tax"})
        db().execute(QStringLiteral("DROP TABLE \"%1\"").arg(table));
    store().database().connection().forgetSchema();
    session.sale.clearLines();
    sell({line(100, 10, 1)});
    EXPECT_TRUE(PostSale(store(), session.sale.lines(),
                         request(OrdinarySale, 779, 10, "$10.70", "$0.70", "$10.70", "$0.00"), prompt));
    EXPECT_EQ(sale(779)["total of sale"].toDouble(), single(10.70));
}
