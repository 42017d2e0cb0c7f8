#include "db/BarcodeLookup.h"
#include "support/SaleFixtures.h"

using namespace vanta;

namespace {
class BarcodeLookup : public test::SaleStoreTest {};
std::optional<db::CodedGood> item(qint32 id) { return db::CodedGood{id, false}; }
std::optional<db::CodedGood> variant(qint32 id) { return db::CodedGood{id, true}; }
} // namespace

TEST_F(BarcodeLookup, LabelFirstThenItemOrVariantNumber)
{
    test::insertRow(db(), "Items", {"Item Index", "barcode label"}, {10, "012345678905"});
    test::insertRow(db(), "Items", {"Item Index", "barcode label"}, {11, "AB-12x"});
    // A label that reads as another item's number wins over that number.
    test::insertRow(db(), "Items", {"Item Index", "barcode label"}, {12, "10"});
    test::addSubItem(db(), 500, 10);
    test::addSubItem(db(), 11, 10); // numbered like item 11

    EXPECT_EQ(db::FindItemByCode(store(), "012345678905"), item(10));
    EXPECT_EQ(db::FindItemByCode(store(), "AB-12x"), item(11)); // exactly as given
    EXPECT_EQ(db::FindItemByCode(store(), "ab-12x"), std::nullopt);
    EXPECT_EQ(db::FindItemByCode(store(), "10"), item(12));
    EXPECT_EQ(db::FindItemByCode(store(), "11"), item(11)) << "the item, not variant 11";
    EXPECT_EQ(db::FindItemByCode(store(), "500"), variant(500));
    EXPECT_EQ(db::FindItemByCode(store(), "501"), std::nullopt);
    EXPECT_EQ(db::FindItemByCode(store(), ""), std::nullopt);
    EXPECT_EQ(db::FindItemByCode(store(), "99999999999999"), std::nullopt);
    EXPECT_EQ(db::FindItemByCode(store(), "' OR 1=1 --"), std::nullopt);
}
