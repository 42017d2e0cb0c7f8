#include "sale/Pricing.h"
#include "support/SaleFixtures.h"

using namespace vanta;
using namespace vanta::sale;

namespace {

class Pricing : public test::SaleStoreTest {
protected:
    // A bulk item (index 10, list 5.00, whole units) with levels 1-9 at 5.00,
    // 10-49 at 4.50 and 50 upward at 4.00.
    void addBulkItem()
    {
        test::addFormat(db(), 1, 1.0f);
        test::addItem(db(), {.index = 10, .listPrice = 5.0f, .bulk = true, .formatId = 1});
        test::addLevels(db(), 10, {{-1, 4.0f}, {49, 4.5f}, {9, 5.0f}});
    }
};

} // namespace

TEST_F(Pricing, ItemsAndSubItems)
{
    test::addItem(db(), {.index = 1, .listPrice = 10.0f});
    test::addItem(db(), {.index = 100, .listPrice = 5.0f});
    test::addItem(db(), {.index = 200, .listPrice = 9.0f});
    test::addValue(db(), 7, 1.0f);
    test::addValue(db(), 8, 2.5f);
    test::addValue(db(), 9, 0.25f);
    test::addSubItem(db(), 50, 1, 7, 8, 9);
    test::addSubItem(db(), 51, 1, 7, 0, 404); // unknown value id adds nothing
    test::addSubItem(db(), 100, 200, 8);      // id shared with item 100
    test::addSubItem(db(), 60, 404, 7);       // parent missing

    EXPECT_EQ(GetPrice(store(), Good::item(1), 2).cents(), 1000);
    EXPECT_EQ(GetPrice(store(), Good::item(1), 0).cents(), 0);
    EXPECT_EQ(GetPrice(store(), Good::variant(50), 1).cents(), 1375) << "parent list price plus the three option charges";
    EXPECT_EQ(GetPrice(store(), Good::variant(51), 1).cents(), 1100);
    EXPECT_EQ(GetPrice(store(), Good::item(100), 1).cents(), 500);
    EXPECT_EQ(GetPrice(store(), Good::variant(100), 1).cents(), 1150) << "variant 100 is not item 100";
    EXPECT_EQ(GetPrice(store(), Good::variant(1), 1).cents(), 0) << "item 1 is no variant";
    EXPECT_EQ(GetPrice(store(), Good::variant(60), 1).cents(), 0);
    EXPECT_EQ(GetPrice(store(), Good::item(999), 1).cents(), 0);
    EXPECT_EQ(GetPrice(store(), Good::variant(999), 1).cents(), 0);

    EXPECT_EQ(GetPriceAdjustment(store(), 50).cents(), 375);
    EXPECT_EQ(GetPriceAdjustment(store(), 999).cents(), 0);

    EXPECT_EQ(GetPriceForOptions(store(), 7, 8, 9).cents(), 375);
    EXPECT_EQ(GetPriceForOptions(store(), 0, 0, 0).cents(), 0);
    EXPECT_EQ(GetPriceForOptions(store(), 9, 404, 9).cents(), 50);
}

TEST_F(Pricing, BulkLevels)
{
    addBulkItem();
    test::addValue(db(), 7, 0.75f);
    test::addSubItem(db(), 70, 10, 7);

    EXPECT_EQ(GetPrice(store(), Good::item(10), 0).cents(), 0);
    EXPECT_EQ(GetPrice(store(), Good::item(10), 9).cents(), 500);
    EXPECT_EQ(GetPrice(store(), Good::item(10), 10).cents(), 450);
    EXPECT_EQ(GetPrice(store(), Good::item(10), 49).cents(), 450);
    EXPECT_EQ(GetPrice(store(), Good::item(10), 1000).cents(), 400);
    EXPECT_EQ(GetPrice(store(), Good::item(10), 0.5f).cents(), 0) << "no level holds 0.5; no list-price fallback";
    EXPECT_EQ(GetPrice(store(), Good::variant(70), 10).cents(), 525) << "parent's level price plus the option charge";

    // With increment 0 consecutive levels touch: the earlier one wins.
    test::addItem(db(), {.index = 11, .listPrice = 3.0f, .bulk = true, .formatId = 99});
    test::addLevels(db(), 11, {{10, 3.0f}, {20, 2.0f}, {-1, 1.0f}});
    EXPECT_EQ(GetPrice(store(), Good::item(11), 10).cents(), 300);
    EXPECT_EQ(GetPrice(store(), Good::item(11), 20).cents(), 200);
    EXPECT_EQ(GetPrice(store(), Good::item(11), 20.5f).cents(), 100);
}

TEST_F(Pricing, Discount)
{
    test::addFormat(db(), 1, 1.0f);
    test::addItem(db(), {.index = 1, .listPrice = 10.0f, .bulk = true, .formatId = 1});
    test::addLevels(db(), 1, {{5, 9.0f}, {10, 8.5f}, {20, 10.0f}, {-1, 12.0f}});
    test::addSubItem(db(), 50, 1);
    test::addItem(db(), {.index = 2, .listPrice = 10.0f});
    test::addLevel(db(), 2, -1, 1.0f);

    EXPECT_DOUBLE_EQ(GetDiscount(store(), Good::item(1), 3), 10.0);
    EXPECT_DOUBLE_EQ(GetDiscount(store(), Good::item(1), 7), 15.0);
    EXPECT_DOUBLE_EQ(GetDiscount(store(), Good::variant(50), 7), 15.0) << "a sub-item takes its parent's levels";
    EXPECT_DOUBLE_EQ(GetDiscount(store(), Good::item(1), 15), 0.0) << "level at list price";
    EXPECT_DOUBLE_EQ(GetDiscount(store(), Good::item(1), 25), 0.0) << "level above list price";
    EXPECT_DOUBLE_EQ(GetDiscount(store(), Good::item(1), 0.25), 0.0) << "no level holds the quantity";
    EXPECT_DOUBLE_EQ(GetDiscount(store(), Good::item(2), 7), 0.0) << "not a bulk item";
    EXPECT_DOUBLE_EQ(GetDiscount(store(), Good::item(999), 7), 0.0);

    // Two decimals, exact halves to the even digit: 1/32 is 3.125 %.
    test::addItem(db(), {.index = 3, .listPrice = 32.0f, .bulk = true});
    test::addLevels(db(), 3, {{-1, 31.0f}, {1, 31.0f}});
    EXPECT_DOUBLE_EQ(GetDiscount(store(), Good::item(3), 5), 3.12);
    test::addItem(db(), {.index = 4, .listPrice = 3.0f, .bulk = true});
    test::addLevels(db(), 4, {{1, 2.0f}, {-1, 2.0f}});
    EXPECT_DOUBLE_EQ(GetDiscount(store(), Good::item(4), 5), 33.33);
}
