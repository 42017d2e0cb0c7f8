#include "db/BarcodeLookup.h"
#include "support/SaleFixtures.h"

using namespace vanta;

class BarcodeLookup : public test::SaleStoreTest {};

TEST_F(BarcodeLookup, LabelFirstThenItemOrVariantNumber)
{
    test::insertRow(db(), "Items", {"Item Index", "barcode label"}, {10, "012345678905"});
    test::insertRow(db(), "Items", {"Item Index", "barcode label"}, {11, "AB-12x"});
    // A label that reads as another item's number wins over that number.
    test::insertRow(db(), "Items", {"Item Index", "barcode label"}, {12, "10"});
    test::addSubItem(db(), 500, 10);

    EXPECT_EQ(db::FindItemByCode(store(), "012345678905"), 10);
    EXPECT_EQ(db::FindItemByCode(store(), "AB-12x"), 11);  // exactly as given
    EXPECT_EQ(db::FindItemByCode(store(), "ab-12x"), -1);
    EXPECT_EQ(db::FindItemByCode(store(), "10"), 12);
    EXPECT_EQ(db::FindItemByCode(store(), "11"), 11);      // an item number
    EXPECT_EQ(db::FindItemByCode(store(), "500"), 500);    // a variant number
    EXPECT_EQ(db::FindItemByCode(store(), "501"), -1);
    EXPECT_EQ(db::FindItemByCode(store(), ""), -1);
    EXPECT_EQ(db::FindItemByCode(store(), "99999999999999"), -1);
    EXPECT_EQ(db::FindItemByCode(store(), "' OR 1=1 --"), -1);
}
