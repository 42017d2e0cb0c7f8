#include "diagnostics/Trace.h"
#include "sale/clsSaleItems.h"

#include <gtest/gtest.h>

#include <functional>

using namespace vanta;
using sale::clsSaleItem;
using sale::clsSaleItems;

namespace {

clsSaleItems::Line line(qint32 item, qint32 o1 = 0, qint32 o2 = 0, qint32 o3 = 0)
{
    auto l = std::make_shared<clsSaleItem>();
    l->setITEMINDEX(item);
    l->setOptionID1(o1);
    l->setOptionID2(o2);
    l->setOptionID3(o3);
    return l;
}

// The number of the VantaError the call throws; 0 when it throws none.
int errorNumber(const std::function<void()> &f)
{
    try {
        f();
    } catch (const VantaError &e) {
        return e.number();
    }
    return 0;
}

class SaleItems : public ::testing::Test {
protected:
    void SetUp() override { diag::Trace::instance().reset(); }
};

} // namespace

TEST_F(SaleItems, EmptySaleAndNameLimit)
{
    clsSaleItems sale;
    EXPECT_EQ(sale.Count(), 0);
    EXPECT_EQ(sale.begin(), sale.end());
    sale.Clear();
    EXPECT_EQ(sale.Count(), 0);

    clsSaleItem l;
    QString sixty(60, QLatin1Char('x'));
    sixty[50] = QLatin1Char('y');
    l.setName(sixty);
    EXPECT_EQ(l.Name(), QString(50, QLatin1Char('x')));
    l.setName(QStringLiteral("Short"));
    EXPECT_EQ(l.Name(), QStringLiteral("Short"));
}

TEST_F(SaleItems, KeysAndLookup)
{
    EXPECT_EQ(clsSaleItems::KeyOf(12, 0, 0, 0), QStringLiteral("Key12000"));
    EXPECT_EQ(clsSaleItems::KeyOf(12, 7, 0, 0), QStringLiteral("Key12700"));
    EXPECT_EQ(clsSaleItems::KeyOf(5, -1, 0, 0), QStringLiteral("Key5-100"));

    clsSaleItems sale;
    auto plain = line(12);
    auto variant = line(12, 7);
    sale.AddSaleItem(plain);
    sale.AddSaleItem(variant);
    EXPECT_EQ(sale.Item(QStringLiteral("Key12")), plain); // retried as Key12000
    EXPECT_EQ(sale.Item(QStringLiteral("Key12700")), variant);
    EXPECT_EQ(sale.Item(1), plain);
    EXPECT_EQ(sale.Item(2), variant);
    EXPECT_EQ(errorNumber([&] { sale.Item(QStringLiteral("Key99")); }), sale::ErrInvalidKey);
    EXPECT_EQ(errorNumber([&] { sale.Item(3); }), sale::ErrInvalidKey); // retried as key "3000"
    EXPECT_EQ(errorNumber([&] { sale.Item(0); }), sale::ErrInvalidKey);
    EXPECT_EQ(diag::Trace::instance().depth(), 0) << "failed lookups must leave the trace balanced";
}

TEST_F(SaleItems, DuplicateKeysAndExists)
{
    clsSaleItems sale;
    sale.AddSaleItem(line(12));
    EXPECT_TRUE(sale.SaleItemExists(12, 0, 0, 0));
    EXPECT_FALSE(sale.SaleItemExists(12, 7, 0, 0));
    EXPECT_EQ(errorNumber([&] { sale.AddSaleItem(line(12)); }), sale::ErrDuplicateKey);

    // Item 1 with option 23 and item 12 with option 3 join to the same key:
    // the existence test tells them apart, adding the second one fails.
    sale.AddSaleItem(line(1, 23));
    EXPECT_FALSE(sale.SaleItemExists(12, 3, 0, 0));
    EXPECT_EQ(errorNumber([&] { sale.AddSaleItem(line(12, 3)); }), sale::ErrDuplicateKey);
    EXPECT_EQ(sale.Count(), 2);
    EXPECT_EQ(diag::Trace::instance().depth(), 0);
}

TEST_F(SaleItems, RemoveClosesUpAndClear)
{
    clsSaleItems sale;
    auto first = line(1), second = line(2), third = line(3, 4, 5, 6);
    sale.AddSaleItem(first);
    sale.AddSaleItem(second);
    sale.AddSaleItem(third);
    sale.RemoveSaleItem(clsSaleItems::KeySuffix(2, 0, 0, 0));
    EXPECT_EQ(sale.Count(), 2);
    EXPECT_EQ(sale.Item(2), third);
    EXPECT_EQ(second->ITEMINDEX(), 2) << "a removed line stays usable by whoever holds it";
    EXPECT_EQ(errorNumber([&] { sale.RemoveSaleItem(QStringLiteral("2000")); }), sale::ErrInvalidKey);

    std::vector<qint32> order;
    for (const auto &l : sale)
        order.push_back(l->ITEMINDEX());
    EXPECT_EQ(order, (std::vector<qint32>{1, 3}));

    sale.Clear();
    EXPECT_EQ(sale.Count(), 0);
    sale.AddSaleItem(line(1)); // its key is free again
    EXPECT_EQ(sale.Count(), 1);
}
