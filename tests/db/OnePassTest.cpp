#include "db/OnePass.h"
#include "support/TempStore.h"

#include <gtest/gtest.h>
#include <stdexcept>

using namespace vanta;

// A pass over a whole table keeps the file store's page cache small, and
// the cache gets its limit back however the pass ends; an engine without a
// cache of its own is left as it is.
TEST(OnePass, KeepsThePageCacheSmallUntilThePassEnds)
{
    test::TempStore ts;
    db::Connection &conn = ts.db().connection();
    const int limit = conn.cacheLimitKiB();
    const auto engineLimit = [&] { return -conn.scalar("PRAGMA cache_size").toInt(); };
    if (ts.store->onServer()) {
        db::OnePass pass(conn);
        EXPECT_EQ(conn.cacheLimitKiB(), 0);
        return;
    }
    ASSERT_GT(limit, 2048);
    {
        db::OnePass pass(conn);
        EXPECT_EQ(conn.cacheLimitKiB(), 2048);
        EXPECT_EQ(engineLimit(), 2048);
    }
    EXPECT_EQ(engineLimit(), limit);
    EXPECT_THROW(
        {
            db::OnePass pass(conn);
            throw std::runtime_error("the read failed");
        },
        std::runtime_error);
    EXPECT_EQ(conn.cacheLimitKiB(), limit);
    EXPECT_EQ(engineLimit(), limit);
}
