// A stored sale read for its return, and what returning part of a line
// refunds.
#include "sale/Proportion.h"
#include "sale/Refund.h"
#include "sale/ReturnLine.h"
#include "sale/StoredSale.h"
#include "support/Raised.h"
#include "support/SaleFixtures.h"

using namespace vanta;
using namespace vanta::sale;

TEST(Refund, ReturningEveryUnitInPartsRefundsExactlyWhatWasPaid)
{
    struct Case {
        qint64 paid;
        double sold;
        std::vector<double> returns;
        std::vector<qint64> refunds;
    };
    const Case cases[] = {
        {100, 3, {1, 1, 1}, {33, 33, 34}},
        {2, 3, {1, 1, 1}, {0, 1, 1}},          // never a cent more than paid, even early
        {1999, 2, {1, 1}, {999, 1000}},
        {1999, 2, {2}, {1999}},
        {1000, 2.5, {1.25, 1.25}, {500, 500}}, // pounds
        {1000, 4, {0, 4}, {0, 1000}},          // nothing returned refunds nothing
        {1000, 4, {3, 2}, {750, 250}},         // more than is left: what is left
        {-500, 2, {1, 1}, {-250, -250}},
        {1000, 0, {1}, {0}},
    };
    for (const Case &c : cases) {
        double returned = 0;
        std::vector<qint64> refunds;
        for (double qty : c.returns) {
            refunds.push_back(refundShare(c.paid, c.sold, returned, qty));
            returned += qty;
        }
        EXPECT_EQ(refunds, c.refunds) << c.paid << " for " << c.sold;
    }
    EXPECT_EQ(refundShare({{"State", 100}, {"County", 1}}, 3, 1, 1), (std::vector<AgencyTax>{{"State", 33}}))
        << "an agency whose share is no cent yet is left out";
}

// Sharing an amount by weights: whole cents first, the largest remainders
// take the cents left; the shares always add up to the amount.
TEST(Proportion, SharesAddUpExactly)
{
    struct Case {
        qint64 cents;
        std::vector<double> weights;
        std::vector<qint64> shares;
    };
    const Case cases[] = {
        {100, {1, 1}, {50, 50}},
        {101, {1, 1}, {51, 50}},          // the odd cent to the first of equal remainders
        {100, {1, 1, 1}, {34, 33, 33}},
        {-100, {1, 1, 1}, {-34, -33, -33}}, // a refund shares the same way
        {1, {0.2, 0.3}, {0, 1}},
        {10, {0, 5}, {0, 10}},
        {0, {1, 2}, {0, 0}},
        {7, {0, 0}, {0, 0}},              // nothing to share by
        {7, {}, {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(shareInProportion(c.cents, c.weights), c.shares) << c.cents;
}

namespace {

class ReturnSource : public test::SaleStoreTest {
protected:
    // Sale 70 (customer 5, pay type 4): two hammers (item 1) with 10 %
    // off, a variant 30 of item 3, and 1.5 lb of item 2, which is deleted
    // since. What was paid is kept for the hammers and the variant only.
    void SetUp() override
    {
        test::SaleStoreTest::SetUp();
        test::addItem(db(), {.index = 1});
        test::addItem(db(), {.index = 3});
        test::addSubItem(db(), 30, 3, 7);
        test::insertRow(db(), "Values", {"ValueID", "Value"}, {7, "Red"});
        test::insertRow(db(), "Sales", {"Sales ID", "cust id", "paytype", "TypeID", "date of sale"},
                        {70, 5, 4, 0, QDateTime(QDate(2026, 12, 1), QTime(10, 30))});
        const QStringList sold{"Sold ID", "sales id", "line item", "Item Index", "subitemsid", "Option1",
                               "sold price", "qty sold", "taxed"};
        test::insertRow(db(), "Sold Items", sold, {701, 70, 1, 1, QVariant(), 0, 12.99, 2, true});
        test::insertRow(db(), "Sold Items", sold, {702, 70, 2, 3, 30, 7, 20.0, 1, true});
        test::insertRow(db(), "Sold Items", sold, {703, 70, 3, 2, QVariant(), 0, 4.0, 1.5, false});
        const QStringList paid{"Sold ID", "sales id", "subtotal", "discount"};
        test::insertRow(db(), "Sold Line Paid", paid, {701, 70, 23.38, 10});
        test::insertRow(db(), "Sold Line Paid", paid, {702, 70, 20.0, 0});
        const QStringList tax{"Sold ID", "sales id", "Tax agency", "total"};
        test::insertRow(db(), "Sold Line Tax", tax, {701, 70, "State", 1.17});
        test::insertRow(db(), "Sold Line Tax", tax, {701, 70, "County", 0.23});
        test::insertRow(db(), "Sold Line Tax", tax, {702, 70, "State", 1.0});
    }
    qint32 mReturns = 0;
    void returnEarlier(qint32 soldId, double qty)
    {
        test::insertRow(db(), "Returned Items", {"Returned ID", "sales id", "original sales id", "Sold ID", "qty"},
                        {++mReturns, 80, 70, soldId, qty});
    }
};

} // namespace

TEST_F(ReturnSource, ReadsTheLinesWithWhatIsLeftToReturnAndWhatWasPaid)
{
    returnEarlier(701, 1);
    const StoredSale sale = ReadSaleForReturn(store(), 70);
    EXPECT_EQ(sale.customer, 5);
    EXPECT_EQ(sale.payTypeId, 4);
    EXPECT_EQ(sale.date, QDateTime(QDate(2026, 12, 1), QTime(10, 30)));
    ASSERT_EQ(sale.lines.size(), 3u);

    const SoldLine &hammers = sale.lines[0];
    EXPECT_EQ(hammers.good, Good::item(1));
    EXPECT_EQ(hammers.name, "Item 1");
    EXPECT_EQ(hammers.price.cents(), 1299);
    EXPECT_DOUBLE_EQ(hammers.returnable(), 1);
    EXPECT_TRUE(hammers.paid.kept);
    EXPECT_EQ(hammers.paid.subtotal.cents(), 2338);
    EXPECT_EQ(hammers.paid.tax, (std::vector<AgencyTax>{{"State", 117}, {"County", 23}}));

    const SoldLine &variant = sale.lines[1];
    EXPECT_EQ(variant.good, Good::variant(30));
    EXPECT_EQ(variant.name, "Item 3-Red");
    EXPECT_TRUE(variant.goodExists);

    const SoldLine &deleted = sale.lines[2];
    EXPECT_FALSE(deleted.goodExists);
    EXPECT_EQ(deleted.name, "Item 2 (no longer in the store)");
    EXPECT_DOUBLE_EQ(deleted.returnable(), 1.5);
    EXPECT_FALSE(deleted.paid.kept) << "kept for the other lines only: worked out from the sale";
    EXPECT_EQ(deleted.paid.subtotal.cents(), 600);
    EXPECT_TRUE(deleted.paid.tax.empty()) << "not taxed";
}

TEST_F(ReturnSource, RefusesWhatCannotBeReturnedInPlainWords)
{
    const auto refusal = [&](qint32 saleId) { return test::raised([&] { ReadSaleForReturn(store(), saleId); }).text; };
    EXPECT_EQ(refusal(71), "There is no sale 71 in this store.");
    returnEarlier(701, 2);
    returnEarlier(702, 1);
    returnEarlier(703, 1);
    EXPECT_EQ(refusal(70), "") << "half a pound is still returnable";
    returnEarlier(703, 0.5);
    EXPECT_EQ(refusal(70), "Everything sold in sale 70 has been returned already.");
    test::insertRow(db(), "Sales", {"Sales ID"}, {72});
    EXPECT_EQ(refusal(72), "Sale 72 sold nothing that can be returned.");
}

// A return line takes what is left to return at most (a fraction where the
// good was sold by the pound), refunds its share of what was paid, and is
// refused at 0, below it and past what is left.
TEST_F(ReturnSource, AReturnLineTakesNoMoreThanIsLeft)
{
    returnEarlier(703, 1);
    const StoredSale sale = ReadSaleForReturn(store(), 70);
    const SoldLine &pounds = sale.lines[2];
    const auto refusal = [&](double qty) { return test::raised([&] { returnLine(sale, pounds, qty); }).text; };
    const QString tooMany = "Only 0.5 of \"Item 2 (no longer in the store)\" from sale 70 can be returned.";
    EXPECT_EQ(refusal(0.5), "");
    EXPECT_EQ(refusal(0.51), tooMany);
    EXPECT_EQ(refusal(0), tooMany);
    EXPECT_EQ(refusal(-1), tooMany);

    const clsSaleItem l = returnLine(sale, pounds, 0.5);
    EXPECT_EQ(l.good().returnOf, 703);
    EXPECT_EQ(l.ReturnSale(), 70);
    EXPECT_EQ(l.qty(), -0.5f);
    EXPECT_EQ(l.Subtotal().cents(), -200) << "the last half pound of $6.00";

    EXPECT_TRUE(pounds.fractions) << "sold by the half pound";
    ASSERT_FALSE(sale.lines[0].fractions);
    EXPECT_THROW(returnLine(sale, sale.lines[0], 0.5), ReturnRefused) << "hammers come back whole";
    EXPECT_NO_THROW(returnLine(sale, sale.lines[0], 1));

    returnEarlier(703, 0.5);
    const StoredSale after = ReadSaleForReturn(store(), 70);
    EXPECT_THROW(returnLine(after, after.lines[2], 0.5), ReturnRefused);
}
