#include "db/UniqueId.h"

#include "diagnostics/VantaError.h"
#include "support/TempStore.h"

#include <gtest/gtest.h>

using namespace vanta;

TEST(UniqueId, NewUniqueIDSkipsIdsInUse)
{
    test::TempStore ts;
    ts.db().execute("INSERT INTO \"Sales\" (\"Sales ID\") VALUES (?)", {5});
    ts.db().execute("INSERT INTO \"Sold Items\" (\"Sold ID\") VALUES (?)", {6});
    ts.db().execute("INSERT INTO \"Customers\" (\"Cust ID\") VALUES (?)", {7});

    QList<qint32> candidates{-3, 0, 5, 6, 7, 8};
    int draws = 0;
    auto draw = [&] { return candidates[draws++]; };
    EXPECT_EQ(db::NewUniqueID(*ts.store, draw), 8);
    EXPECT_EQ(draws, 6);

    // A source that only ever offers a used id ends with an error, not a hang.
    EXPECT_THROW(db::NewUniqueID(*ts.store, [] { return 5; }), VantaError);

    const qint32 id = db::NewUniqueID(*ts.store);
    EXPECT_GT(id, 0);
}

// Checked on a posting's own connection, the numbers its transaction has
// written so far count as used: no two lines of one sale share a number.
TEST(UniqueId, OnTheTransactionsConnectionItsOwnRowsCount)
{
    test::TempStore ts;
    db::Workspace ws(*ts.store);
    ws.beginTrans();
    ws.database().execute("INSERT INTO \"Sold Items\" (\"Sold ID\") VALUES (?)", {9});
    QList<qint32> candidates{9, 10};
    int draws = 0;
    EXPECT_EQ(db::NewUniqueID(ws.database(), [&] { return candidates[draws++]; }), 10);
    ws.rollback();
}
