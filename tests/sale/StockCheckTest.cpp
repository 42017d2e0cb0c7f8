#include "sale/StockCheck.h"
#include "support/SaleFixtures.h"

using namespace vanta;
using namespace vanta::sale;

namespace {

class StockCheck : public test::SaleStoreTest {
protected:
    void SetUp() override
    {
        test::SaleStoreTest::SetUp();
        test::addItem(db(), {.index = 1, .qty = 7, .track = true});
        test::addItem(db(), {.index = 2, .qty = 3, .track = false});
        test::addSubItem(db(), 50, 1, 0, 0, 0, 4.5);  // variant of the tracked item
        test::addSubItem(db(), 51, 2, 0, 0, 0, 1);    // variant of the untracked item
        test::addSubItem(db(), 2, 1, 0, 0, 0, 99);    // id shared with item 2
        test::addSubItem(db(), 60, 404, 0, 0, 0, 8);  // parent item missing
    }
};

} // namespace

TEST_F(StockCheck, TrackingFlags)
{
    EXPECT_TRUE(CheckQTY(store(), 1));
    EXPECT_FALSE(CheckQTY(store(), 2));
    EXPECT_FALSE(CheckQTY(store(), 50)) << "sub-items are not consulted";
    EXPECT_FALSE(CheckQTY(store(), 999));

    EXPECT_TRUE(TrackQty(store(), Good::item(1)));
    EXPECT_TRUE(TrackQty(store(), Good::variant(50))) << "a variant follows its root item";
    EXPECT_FALSE(TrackQty(store(), Good::variant(51)));
    EXPECT_FALSE(TrackQty(store(), Good::item(2)));
    EXPECT_TRUE(TrackQty(store(), Good::variant(2))) << "variant 2 belongs to the tracked item 1";
    EXPECT_FALSE(TrackQty(store(), Good::item(50))) << "no item 50";
    EXPECT_FALSE(TrackQty(store(), Good::item(999)));
    EXPECT_FALSE(TrackQty(store(), Good::variant(60)));
}

TEST_F(StockCheck, QuantityOnHand)
{
    EXPECT_FLOAT_EQ(RegisterCheckQTY(store(), Good::item(1)), 7);
    EXPECT_FLOAT_EQ(RegisterCheckQTY(store(), Good::variant(50)), 4.5f) << "the variant's own stock, not its parent's";
    EXPECT_FLOAT_EQ(RegisterCheckQTY(store(), Good::item(2)), 3);
    EXPECT_FLOAT_EQ(RegisterCheckQTY(store(), Good::variant(2)), 99) << "variant 2 is not item 2";
    EXPECT_FLOAT_EQ(RegisterCheckQTY(store(), Good::item(50)), 0);
    EXPECT_FLOAT_EQ(RegisterCheckQTY(store(), Good::item(999)), 0);
}
