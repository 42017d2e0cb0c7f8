// Returns and exchanges posted: the lines given back, the stock they raise,
// the tax they refund per agency, the balance an invoice refund lowers, and
// a sold line never given back twice.
#include "posting/PostingFixture.h"

#include "posting/PostingRequest.h"
#include "sale/ReturnLine.h"
#include "sale/StoredSale.h"

using namespace vanta;
using namespace vanta::posting;

namespace {

// Sale 778 (fixed rate 7 %, customer 10): two hammers (item 100) at $10.00
// less 10 % = $18.00 with $1.40 tax, Sold ID 500; three caps (variant 3001)
// at $10.00, tax exempt, Sold ID 501.
class ReturnPosting : public test::PostingTest {
protected:
    ReturnPosting()
    {
        db().execute("UPDATE Company SET \"tax option\" = 2, \"sales tax\" = 7");
        const auto lines = hammersAndCaps();
        session.sale.setCustomer(10);
        post(778, {lines[0], lines[1]}, {500, 501});
    }

    // Posts the lines as sale `id` through the register's own request, paid
    // in cash to the cent (or on invoice); false when it was refused.
    bool post(qint32 id, std::vector<sale::clsSaleItem> returned, std::deque<qint32> ids = {},
              std::initializer_list<sale::clsSaleItems::Line> sold = {}, qint16 kind = OrdinarySale)
    {
        session.sale.startOver(id);
        for (const auto &l : sold)
            session.sale.addLine(l);
        session.sale.putReturnLines(std::move(returned));
        session.sale.setPayType({3, "Cash", sale::PayKind::Cash});
        if (kind == InvoiceSale)
            session.sale.setPayType({4, "INVOICE", sale::PayKind::Invoice});
        else
            session.sale.setTendered(session.sale.totals().totalDue());
        const PostingRequest r = requestFor(session.sale, kind, 2);
        return PostSale(store(), session.sale.lines(), r, prompt, offering(std::move(ids)));
    }
    bool post(qint32 id, std::initializer_list<sale::clsSaleItems::Line> sold, std::deque<qint32> ids)
    {
        return post(id, {}, std::move(ids), sold);
    }

    sale::clsSaleItem giveBack(qint32 saleId, size_t lineIndex, double qty)
    {
        const sale::StoredSale stored = sale::ReadSaleForReturn(store(), saleId);
        return sale::returnLine(stored, stored.lines.at(lineIndex), qty);
    }

    std::string rows(const QString &sql) { return test::queryRows(db(), sql); }
    QVariantMap sale(qint32 id) { return row("SELECT * FROM \"Sales\" WHERE \"Sales ID\" = ?", {id}); }
    double stock(qint32 item) { return db().scalar("SELECT qty FROM Items WHERE \"Item Index\" = ?", {item}).toDouble(); }
};

} // namespace

// An exchange: one hammer back at what it was paid ($9.00 and $0.70 tax,
// not today's price or rate), a T-shirt variant sold at $15.00 with $1.05
// tax. Net: $6.00 and $0.35 tax.
TEST_F(ReturnPosting, AnExchangeGivesBackALineAndSellsAnother)
{
    db().execute("UPDATE Company SET \"sales tax\" = 9"); // the rate changed since
    const sale::clsSaleItem hammer = giveBack(778, 0, 1);
    EXPECT_EQ(hammer.qty(), -1.0f);
    EXPECT_EQ(hammer.Subtotal().cents(), -900);
    EXPECT_EQ(hammer.TaxRefund(), (std::vector<sale::AgencyTax>{{"Fixed Tax", 70}}));
    db().execute("UPDATE Company SET \"sales tax\" = 7");

    const sale::clsSaleItems::Line shirt = line(2001, 15, 1, 11, 21);
    shirt->setSubtotal(sale::Money::fromCents(1500));
    ASSERT_TRUE(post(800, {hammer}, {600, 601, 602}, {shirt}));
    EXPECT_EQ(prompt.count(), 0) << prompt.texts().join('\n').toStdString();
    const QVariantMap s = sale(800);
    EXPECT_DOUBLE_EQ(s["total of sale"].toDouble(), double(6.35f));
    EXPECT_DOUBLE_EQ(s["Tax"].toDouble(), double(0.35f));
    EXPECT_EQ(rows("SELECT \"line item\", \"Item Index\", subitemsid, \"sold price\", \"qty sold\", round(\"other costs\" * 100) / 100 "
                   "FROM \"Sold Items\" WHERE \"sales id\" = 800 ORDER BY \"line item\""),
              "1 200 2001 15 1 5.15\n2 100  10 -1 2.5")
        << "the return line is written as the hammer was sold";
    EXPECT_EQ(rows("SELECT \"Tax agency\", total FROM \"Tax Holder\" WHERE \"Sale ID\" = 800"),
              "Fixed Tax 0.35");
    EXPECT_EQ(rows("SELECT \"Sold ID\", subtotal FROM \"Sold Line Paid\" WHERE \"sales id\" = 800 ORDER BY subtotal"),
              "601 -9\n600 15");
    EXPECT_EQ(rows("SELECT total FROM \"Sold Line Tax\" WHERE \"sales id\" = 800 ORDER BY total"),
              "-0.7\n1.05");
    EXPECT_EQ(rows("SELECT \"sales id\", \"original sales id\", \"Sold ID\", qty FROM \"Returned Items\""),
              "800 778 500 1");
    EXPECT_DOUBLE_EQ(stock(100), 10 - 2 + 1);
    EXPECT_DOUBLE_EQ(db().scalar("SELECT \"total qty sold\" FROM Items WHERE \"Item Index\" = 100").toDouble(),
                     5 + 2 - 1);
    EXPECT_DOUBLE_EQ(sale::ReadSaleForReturn(store(), 778).lines.at(0).returnable(), 1);
    EXPECT_EQ(sale::ReadSaleForReturn(store(), 800).lines.size(), 1u) << "the T-shirt alone: a line given back is no sold line";
}

// A refund: the tender is what is paid back (stored below 0, no change);
// the tax comes back even for a customer who is not taxable today.
TEST_F(ReturnPosting, ARefundPaysBackWhatWasPaidWhateverTheCustomerIsToday)
{
    db().execute("UPDATE Customers SET Taxable = 0 WHERE \"Cust ID\" = 10");
    ASSERT_TRUE(post(801, {giveBack(778, 0, 2)}, {610}));
    const QVariantMap s = sale(801);
    EXPECT_DOUBLE_EQ(s["total of sale"].toDouble(), double(-19.40f));
    EXPECT_DOUBLE_EQ(s["Tax"].toDouble(), double(-1.40f));
    EXPECT_DOUBLE_EQ(s["amount tendered"].toDouble(), double(-19.40f)) << "paid out";
    EXPECT_DOUBLE_EQ(s["Change"].toDouble(), 0);
    EXPECT_EQ(rows("SELECT \"Tax agency\", total FROM \"Tax Holder\" WHERE \"Sale ID\" = 801"),
              "Fixed Tax -1.4");
    EXPECT_DOUBLE_EQ(stock(100), 10);
    EXPECT_THROW(giveBack(778, 0, 1), sale::ReturnRefused) << "(the caps are left, the hammers are not)";
}

// The same line given back twice from two returns begun at once: the one
// posted second is refused in plain words and writes nothing.
TEST_F(ReturnPosting, ALineIsNeverGivenBackTwice)
{
    const sale::clsSaleItem first = giveBack(778, 1, 2);
    const sale::clsSaleItem second = giveBack(778, 1, 2); // read before the first was posted
    ASSERT_TRUE(post(802, {first}, {620}));
    const std::string before = snapshot();
    EXPECT_FALSE(post(803, {second}, {630}));
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(db().scalar("SELECT count(*) FROM \"Returned Items\"").toInt(), 1);
    ASSERT_GE(prompt.count(), 1);
    EXPECT_EQ(prompt.texts().first().toStdString(),
              "\"Cap-\" from sale 778 has been returned at another register meanwhile: 1 can still be "
              "returned. The sale was not stored; take the return line off and return it again.");
    // The one unit left goes back; then none.
    EXPECT_TRUE(post(804, {giveBack(778, 1, 1)}, {640}));
    EXPECT_THROW(giveBack(778, 1, 1), sale::ReturnRefused);
}

// Goods deleted since they were sold are refunded at what was paid; there
// is no stock to raise, and the sold line is copied as it was stored.
TEST_F(ReturnPosting, GoodsDeletedSinceAreRefundedWithoutStock)
{
    const sale::clsSaleItem caps = giveBack(778, 1, 3);
    db().execute("DELETE FROM Subitems WHERE SubItemID = 3001");
    db().execute("DELETE FROM Items WHERE \"Item Index\" = 300");
    ASSERT_TRUE(post(805, {caps}, {650}));
    EXPECT_EQ(rows("SELECT \"Item Index\", subitemsid, Option1, \"qty sold\" FROM \"Sold Items\" "
                   "WHERE \"sales id\" = 805"),
              "300 3001 31 -3");
    EXPECT_DOUBLE_EQ(sale(805)["total of sale"].toDouble(), -30.0);
}

// An invoice sale's return lowers the customer's balance; nothing is paid
// out.
TEST_F(ReturnPosting, AnInvoiceRefundLowersTheBalance)
{
    ASSERT_TRUE(post(806, {giveBack(778, 0, 1)}, {660}, {}, InvoiceSale));
    const QVariantMap s = sale(806);
    EXPECT_DOUBLE_EQ(s["amount tendered"].toDouble(), 0);
    EXPECT_NEAR(db().scalar("SELECT balance FROM Customers WHERE \"Cust ID\" = 10").toDouble(), 90.30, 0.001);
}
