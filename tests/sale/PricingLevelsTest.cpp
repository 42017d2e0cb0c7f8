#include "db/DbError.h"
#include "sale/Pricing.h"
#include "sale/clsFormats.h"
#include "sale/clsPricingLevels.h"
#include "support/SaleFixtures.h"

#include <vector>

using namespace vanta;
using namespace vanta::sale;

namespace {

struct Range {
    float min, max, price;
    bool operator==(const Range &) const = default;
};

std::vector<Range> ranges(const clsPricingLevels &levels)
{
    std::vector<Range> out;
    for (const auto &l : levels)
        out.push_back({l->Min(), l->Max(), float(l->Price().dollars())});
    return out;
}

void PrintTo(const Range &r, std::ostream *os) { *os << r.min << "-" << r.max << " @" << r.price; }

class PricingLevels : public test::SaleStoreTest {};

} // namespace

TEST_F(PricingLevels, MinimumsFollowTheFormat)
{
    test::addFormat(db(), 1, 1.0f);
    test::addFormat(db(), 2, 0.5f);
    // Rows stored out of order come back in ascending Max, open-ended last.
    test::addItem(db(), {.index = 1, .bulk = true, .formatId = 1});
    test::addLevels(db(), 1, {{-1, 4.0f}, {49, 4.5f}, {9, 5.0f}});
    test::addItem(db(), {.index = 2, .bulk = true, .formatId = 2});
    test::addLevels(db(), 2, {{10, 2.0f}, {-1, 1.5f}});
    test::addItem(db(), {.index = 3, .bulk = true, .formatId = 77}); // no such format
    test::addLevels(db(), 3, {{10, 2.0f}, {20, 1.0f}});
    test::addItem(db(), {.index = 4, .bulk = true, .formatId = 1}); // no open-ended row
    test::addLevels(db(), 4, {{5, 2.0f}, {10, 1.0f}});

    clsPricingLevels levels(store());
    levels.LoadLevels(1);
    EXPECT_EQ(ranges(levels), (std::vector<Range>{{1, 9, 5.0f}, {10, 49, 4.5f}, {50, -1, 4.0f}}));
    ASSERT_TRUE(levels.Format());
    EXPECT_EQ(levels.Format()->FormatID(), 1);
    EXPECT_EQ(levels.ITEMINDEX(), 1);

    levels.LoadLevels(2); // reloading replaces the previous item's levels
    EXPECT_FLOAT_EQ(levels.Increment(), 0.5f);
    EXPECT_EQ(ranges(levels), (std::vector<Range>{{0.5f, 10, 2.0f}, {10.5f, -1, 1.5f}}));

    levels.LoadLevels(3);
    EXPECT_FALSE(levels.Format());
    EXPECT_EQ(ranges(levels), (std::vector<Range>{{0, 10, 2.0f}, {10, 20, 1.0f}}));

    levels.LoadLevels(4);
    EXPECT_EQ(ranges(levels), (std::vector<Range>{{1, 5, 2.0f}, {6, 10, 1.0f}}));
    EXPECT_FALSE(levels.MatchingLevel(11)) << "the last finite level stays the highest";
    EXPECT_EQ(test::levelRowCount(db(), 4), 2);
}

TEST_F(PricingLevels, DefaultLevelsAreWritten)
{
    test::addFormat(db(), 1, 1.0f);
    test::addItem(db(), {.index = 1, .listPrice = 3.0f, .bulk = true, .formatId = 1});
    test::addItem(db(), {.index = 2, .listPrice = 7.0f, .bulk = true, .formatId = 1});
    test::addLevel(db(), 2, -1, 6.0f); // only an open-ended row

    clsPricingLevels levels(store());
    levels.LoadLevels(1);
    const std::vector<Range> defaults{{0, 5, 3.0f}, {6, 10, 3.0f}, {11, 15, 3.0f}, {16, -1, 3.0f}};
    EXPECT_EQ(ranges(levels), defaults);
    EXPECT_EQ(test::queryRows(db(), "SELECT \"Max\", \"LIST PRICE\" FROM \"BulkLevelPricing\" "
                                    "WHERE \"Item Index\" = 1 ORDER BY rowid"),
              "5 3\n10 3\n15 3\n-1 3");

    levels.LoadLevels(1); // the stored rows now decide, with the format's increment
    EXPECT_EQ(ranges(levels), (std::vector<Range>{{1, 5, 3.0f}, {6, 10, 3.0f}, {11, 15, 3.0f}, {16, -1, 3.0f}}));
    EXPECT_EQ(test::levelRowCount(db(), 1), 4);

    levels.LoadLevels(2);
    EXPECT_EQ(levels.Count(), 4);
    EXPECT_EQ(test::levelRowCount(db(), 2), 5) << "the defaults come in addition to the open-ended row";
}

TEST_F(PricingLevels, FailedDefaultWriteLeavesNothing)
{
    test::addItem(db(), {.index = 1, .listPrice = 3.0f, .bulk = true});
    db().execute(QStringLiteral("CREATE TRIGGER refuse_third BEFORE INSERT ON \"BulkLevelPricing\" "
                                "WHEN NEW.\"Max\" = 15 BEGIN SELECT RAISE(ABORT, 'refused'); END"));

    clsPricingLevels levels(store());
    EXPECT_THROW(levels.LoadLevels(1), db::DbError);
    EXPECT_EQ(levels.Count(), 0);
    EXPECT_EQ(test::levelRowCount(db(), 1), 0);
    EXPECT_FALSE(db().connection().inTransaction());

    // Trapped, the failure is reported and pricing carries on at 0.
    diag::Trace::instance().setTrappingEnabled(true);
    EXPECT_EQ(GetPrice(store(), sale::Good::item(1), 2).cents(), 0);
    EXPECT_EQ(test::levelRowCount(db(), 1), 0);
    EXPECT_NE(diag::Trace::instance().lastError().number, 0);
    EXPECT_EQ(diag::Trace::instance().depth(), 0);

    // An unknown item has no list price for defaults: nothing is written.
    diag::Trace::instance().setTrappingEnabled(false);
    EXPECT_THROW(levels.LoadLevels(999), db::DbError);
    EXPECT_EQ(test::levelRowCount(db(), 999), 0);
}

TEST_F(PricingLevels, FormatsInTableOrder)
{
    test::addFormat(db(), 5, 0.25f);
    test::addFormat(db(), 2, 1.0f);
    clsFormats formats(store());
    ASSERT_EQ(formats.Count(), 2);
    EXPECT_EQ(formats.Item(1)->FormatID(), 5);
    EXPECT_FLOAT_EQ(formats.Item(1)->Increment(), 0.25f);
    EXPECT_EQ(formats.Item(2)->Name(), QStringLiteral("F2"));
}
