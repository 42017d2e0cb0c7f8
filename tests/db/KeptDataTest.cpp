// Data kept with a store is made again exactly when the store changed: by
// another connection's commit, or through the store's own connection.
#include "db/KeptData.h"
#include "support/TempPgStore.h"
#include "support/TempStore.h"

#include <gtest/gtest.h>

using namespace vanta;

namespace {

// Runs the whole check on `mine`, with `other` standing for another register.
void checkKeptData(db::Store &mine, const db::Database &other)
{
    int made = 0;
    const auto kept = [&] {
        return *db::keptData<int>(mine, QStringLiteral("test"), {}, [&] { return std::make_shared<int>(++made); });
    };
    const auto otherChanges = [&](int price) {
        other.execute("UPDATE Items SET \"LIST PRICE\" = ? WHERE \"Item Index\" = 1", {price});
    };
    mine.database().execute("INSERT INTO Items (\"Item Index\", \"LIST PRICE\") VALUES (1, 1)");

    EXPECT_EQ(kept(), 1);
    EXPECT_EQ(kept(), 1) << "nothing changed: kept";
    (void)mine.database().scalar("SELECT count(*) FROM Items");
    EXPECT_EQ(kept(), 1) << "reading changes nothing";

    otherChanges(2);
    EXPECT_EQ(kept(), 2) << "another connection committed";
    mine.database().execute("UPDATE Items SET \"LIST PRICE\" = 3 WHERE \"Item Index\" = 1");
    EXPECT_EQ(kept(), 3) << "changed through the store's own connection";

    {
        // One reading of the stamp per span, read again on request.
        const db::StampSpan span(mine);
        EXPECT_EQ(kept(), 3);
        otherChanges(4);
        EXPECT_EQ(kept(), 3);
        db::StampSpan::readAgain(mine);
        EXPECT_EQ(kept(), 4);
    }
    otherChanges(5);
    EXPECT_EQ(kept(), 5) << "a closed span keeps no reading";

    // What is read inside a transaction may be rolled back: never kept.
    db::Transaction tx(mine.database().connection());
    mine.database().execute("UPDATE Items SET \"LIST PRICE\" = 6 WHERE \"Item Index\" = 1");
    EXPECT_EQ(kept(), 6);
    EXPECT_EQ(kept(), 7);
    tx.rollback();
    const int afterRollback = kept();
    EXPECT_GT(afterRollback, 7) << "data read inside the rolled-back transaction was kept";
    EXPECT_EQ(kept(), afterRollback);
}

TEST(KeptData, MadeAgainExactlyWhenTheStoreChanged)
{
    test::TempStore ts;
    db::Store mine(ts.path());
    checkKeptData(mine, ts.db());
}

TEST(KeptData, MadeAgainExactlyWhenTheServerStoreChanged)
{
    VANTA_REQUIRE_PG_SERVER();
    test::TempPgStore ts;
    db::Store mine(ts.address);
    checkKeptData(mine, ts.db());
}

} // namespace
