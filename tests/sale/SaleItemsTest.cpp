#include "diagnostics/Trace.h"
#include "sale/OrderedCollection.h"
#include "sale/clsSaleItems.h"
#include "support/Raised.h"

#include <gtest/gtest.h>

#include <functional>

using namespace vanta;
using sale::clsSaleItem;
using sale::clsSaleItems;

namespace {

clsSaleItems::Line line(qint32 item, qint32 o1 = 0, qint32 o2 = 0, qint32 o3 = 0)
{
    auto l = std::make_shared<clsSaleItem>();
    l->setGood(sale::Good::item(item, {o1, o2, o3}));
    return l;
}

using test::errorNumber;

class SaleItems : public ::testing::Test {
protected:
    void SetUp() override { diag::Trace::instance().reset(); }
};

} // namespace

TEST_F(SaleItems, NamesAreCutToFiftyCharacters)
{
    clsSaleItem l;
    QString sixty(60, QLatin1Char('x'));
    sixty[50] = QLatin1Char('y');
    l.setName(sixty);
    EXPECT_EQ(l.Name(), QString(50, QLatin1Char('x')));
    l.setName(QStringLiteral("Short"));
    EXPECT_EQ(l.Name(), QStringLiteral("Short"));
}

TEST_F(SaleItems, LinesAreFoundByTheGoodTheySell)
{
    clsSaleItems sale;
    auto plain = line(12);
    auto withOption = line(12, 7);
    auto variant = std::make_shared<clsSaleItem>();
    variant->setGood(sale::Good::variant(12));
    for (const auto &l : {plain, withOption, variant})
        sale.AddSaleItem(l);
    EXPECT_EQ(sale.Count(), 3) << "item 12, item 12 with an option and variant 12 are three goods";
    EXPECT_EQ(sale.Find(sale::Good::item(12)), plain);
    EXPECT_EQ(sale.Find(sale::Good::item(12, {7, 0, 0})), withOption);
    EXPECT_EQ(sale.Find(sale::Good::variant(12)), variant);
    EXPECT_EQ(sale.Find(sale::Good::item(12, {0, 7, 0})), nullptr);
    EXPECT_EQ(sale.Find(sale::Good::variant(13)), nullptr);
    EXPECT_EQ(sale.PositionOf(variant.get()), 3);
    EXPECT_EQ(sale.PositionOf(line(12).get()), 0) << "an equal line that is not on the sale";

    // Positions 1..Count, and nothing either side.
    EXPECT_EQ(sale.Item(1), plain);
    EXPECT_EQ(sale.Item(3), variant);
    EXPECT_EQ(errorNumber([&] { sale.Item(4); }), sale::ErrSubscriptOutOfRange);
    EXPECT_EQ(errorNumber([&] { sale.Item(0); }), sale::ErrSubscriptOutOfRange);
    EXPECT_EQ(diag::Trace::instance().depth(), 0) << "failed lookups must leave the trace balanced";
}

TEST_F(SaleItems, OneLinePerGoodAndNoJoinedKeyClashes)
{
    clsSaleItems sale;
    sale.AddSaleItem(line(12));
    EXPECT_EQ(errorNumber([&] { sale.AddSaleItem(line(12)); }), sale::ErrDuplicateKey);

    // Item 1 with option 23 and item 12 with option 3 would join to the same
    // text; they are different goods.
    for (const auto &l : {line(1, 23), line(12, 3), line(123)})
        sale.AddSaleItem(l);
    EXPECT_EQ(sale.Count(), 4);
    EXPECT_EQ(sale.Find(sale::Good::item(12, {3, 0, 0}))->OptionID1(), 3);
    EXPECT_EQ(diag::Trace::instance().depth(), 0);
}

TEST_F(SaleItems, RemoveClosesUpAndClear)
{
    clsSaleItems sale;
    auto first = line(1), second = line(2), third = line(3, 4, 5, 6);
    for (const auto &l : {first, second, third})
        sale.AddSaleItem(l);
    sale.RemoveSaleItem(sale::Good::item(2));
    EXPECT_EQ(sale.Count(), 2);
    EXPECT_EQ(sale.Item(2), third);
    EXPECT_EQ(second->ITEMINDEX(), 2) << "a removed line stays usable by whoever holds it";
    EXPECT_EQ(errorNumber([&] { sale.RemoveSaleItem(sale::Good::item(2)); }), sale::ErrInvalidKey);

    sale.Clear();
    sale.AddSaleItem(line(1)); // its good may be added again
    EXPECT_EQ(sale.Count(), 1);
}
