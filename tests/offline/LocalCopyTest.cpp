// The local copy of a server store: what it holds, that it is replaced
// whole, and a copy that cannot be read set aside.
#include "db/DbError.h"
#include "offline/CopyKeeper.h"
#include "offline/LocalCopy.h"
#include "storegen/DemoStore.h"
#include "support/Raised.h"
#include "support/TempPgStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vanta;
using offline::LocalCopy;

namespace {

// The demo store on the test server, with a sale posted, and a settings
// folder for the copy.
class LocalCopyTest : public test::PgStoreTest {
protected:
    void SetUp() override
    {
        test::PgStoreTest::SetUp();
        if (IsSkipped())
            return;
        storegen::fillDemoStore(pg->db());
        pg->db().execute("INSERT INTO Sales (\"Sales ID\") VALUES (1)");
        folder = LocalCopy::folderFor(settings.path(), pg->address);
    }
    qint64 rows(const db::Store &store, const QString &table)
    {
        return store.database().scalar(QStringLiteral("SELECT count(*) FROM \"%1\"").arg(table)).toLongLong();
    }

    QTemporaryDir settings;
    QString folder;
};

} // namespace

TEST_F(LocalCopyTest, HoldsWhatASaleNeedsAndNoSales)
{
    EXPECT_EQ(LocalCopy::open(folder, pg->store->key()), nullptr) << "no copy made yet";
    LocalCopy::make(*pg->store, folder);
    const std::unique_ptr<db::Store> copy = LocalCopy::open(folder, pg->store->key());
    ASSERT_NE(copy, nullptr);
    EXPECT_FALSE(copy->onServer());
    for (const QString &table : LocalCopy::tables())
        EXPECT_EQ(rows(*copy, table), rows(*pg->store, table)) << table.toStdString();
    EXPECT_GT(rows(*copy, QStringLiteral("Items")), 0);
    EXPECT_GT(rows(*copy, QStringLiteral("Employees")), 0);
    EXPECT_EQ(rows(*copy, QStringLiteral("Sales")), 0) << "the sales history stays on the server";
    EXPECT_EQ(copy->database().scalar("SELECT \"Name\" FROM Items ORDER BY \"Item Index\" LIMIT 1"),
              pg->db().scalar("SELECT \"Name\" FROM Items ORDER BY \"Item Index\" LIMIT 1"));
    EXPECT_FALSE(QDir(folder + "/making").exists()) << "nothing left beside the copy";

    // Encrypted with the store's key: another key does not open it (and the
    // copy is then set aside, as a damaged one is).
    EXPECT_EQ(test::errorNumber([&] { LocalCopy::open(folder, QStringLiteral("not the key")); }), db::ErrDamaged);
    EXPECT_EQ(LocalCopy::open(folder, pg->store->key()), nullptr);

    // Different stores, different copies; the same store, the same one.
    EXPECT_NE(LocalCopy::folderFor(settings.path(), pg->address + "x"), folder);
    EXPECT_EQ(LocalCopy::folderFor(settings.path(), pg->address), folder);
}

TEST_F(LocalCopyTest, IsReplacedWholeAndACopyCutShortLeavesTheOneBefore)
{
    LocalCopy::make(*pg->store, folder);
    pg->db().execute("INSERT INTO Items (\"Item Index\", \"Name\") VALUES (99001, 'New Tee')");
    // A copy cut short: its half-written file is left in the making folder.
    QDir().mkpath(folder + "/making");
    QFile junk(folder + "/making/vanta.mdb");
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("half a copy");
    junk.close();
    const qint64 before = [&] {
        const auto copy = LocalCopy::open(folder, pg->store->key());
        return rows(*copy, QStringLiteral("Items"));
    }();
    EXPECT_EQ(before, rows(*pg->store, QStringLiteral("Items")) - 1) << "the copy before, untouched";

    LocalCopy::make(*pg->store, folder);
    const auto copy = LocalCopy::open(folder, pg->store->key());
    EXPECT_EQ(rows(*copy, QStringLiteral("Items")), before + 1);
    EXPECT_EQ(copy->database().scalar("SELECT \"Name\" FROM Items WHERE \"Item Index\" = 99001").toString(), "New Tee");
}

TEST_F(LocalCopyTest, ADamagedCopyIsSetAsideAndNamed)
{
    LocalCopy::make(*pg->store, folder);
    const QString file = db::Store::databaseFile(folder);
    QFile damaged(file);
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
    damaged.write(QByteArray(8192, 'x'));
    damaged.close();
    try {
        LocalCopy::open(folder, pg->store->key());
        ADD_FAILURE() << "a damaged copy was opened";
    } catch (const db::DbError &e) {
        EXPECT_EQ(e.number(), db::ErrDamaged);
        EXPECT_TRUE(e.description().contains("It was set aside as '" + file + ".damaged-"))
            << e.description().toStdString();
    }
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_EQ(QDir(folder).entryList({"vanta.mdb.damaged-*"}).size(), 1);
    EXPECT_EQ(LocalCopy::open(folder, pg->store->key()), nullptr);
    LocalCopy::make(*pg->store, folder);
    EXPECT_NE(LocalCopy::open(folder, pg->store->key()), nullptr) << "a new copy made afterwards";
}

namespace {

using namespace std::chrono_literals;

// The keeper of the copy on the test server, looking only when told.
class CopyKeeperTest : public LocalCopyTest {
protected:
    std::unique_ptr<offline::CopyKeeper> keep(const QString &address, std::chrono::milliseconds stockEvery = 1h)
    {
        return std::make_unique<offline::CopyKeeper>(offline::CopyKeeper::Server{address, pg->store->key(), {}},
                                                     folder, offline::CopyKeeper::Timing{1h, stockEvery});
    }
    // Looks once more and answers the copies made in all.
    int lookAgain(offline::CopyKeeper &keeper, int looks)
    {
        keeper.checkNow();
        EXPECT_TRUE(keeper.waitForLooks(looks, 60s));
        return keeper.state().copies;
    }
    QString copiedName(qint32 item)
    {
        const auto copy = LocalCopy::open(folder, pg->store->key());
        return copy->database().scalar("SELECT \"Name\" FROM Items WHERE \"Item Index\" = ?", {item}).toString();
    }
};

} // namespace

TEST_F(CopyKeeperTest, ACopyIsMadeAtOnceAndAgainOnlyWhenTheCopiedTablesChanged)
{
    const auto keeper = keep(pg->address);
    ASSERT_TRUE(keeper->waitForLooks(1, 60s));
    EXPECT_EQ(keeper->state().copies, 1);
    EXPECT_TRUE(keeper->state().problem.isEmpty()) << keeper->state().problem.toStdString();
    EXPECT_FALSE(copiedName(1001).isEmpty());

    // A sale elsewhere changes no copied table but the stock: not yet due.
    pg->db().execute("INSERT INTO Sales (\"Sales ID\") VALUES (2)");
    pg->db().execute("UPDATE Items SET qty = qty - 1 WHERE \"Item Index\" = 1001");
    EXPECT_EQ(lookAgain(*keeper, 2), 1);
    // A name changed: copied again.
    pg->db().execute("UPDATE Items SET \"Name\" = 'Framing Hammer' WHERE \"Item Index\" = 1001");
    EXPECT_EQ(lookAgain(*keeper, 3), 2);
    EXPECT_EQ(copiedName(1001), "Framing Hammer");
    EXPECT_EQ(lookAgain(*keeper, 4), 2);
}

TEST_F(CopyKeeperTest, StockChangedBySalesIsCopiedAgainOnceItsTimeHasCome)
{
    const auto keeper = keep(pg->address, 0ms);
    ASSERT_TRUE(keeper->waitForLooks(1, 60s));
    pg->db().execute("UPDATE Items SET qty = 7 WHERE \"Item Index\" = 1001");
    EXPECT_EQ(lookAgain(*keeper, 2), 2);
    const auto copy = LocalCopy::open(folder, pg->store->key());
    EXPECT_EQ(copy->database().scalar("SELECT qty FROM Items WHERE \"Item Index\" = 1001").toDouble(), 7);
}

TEST_F(CopyKeeperTest, AServerAwayIsSaidAndTheCopyBeforeStays)
{
    LocalCopy::make(*pg->store, folder);
    const auto keeper = keep(pg->address + "_gone");
    ASSERT_TRUE(keeper->waitForLooks(1, 60s));
    EXPECT_EQ(keeper->state().copies, 0);
    EXPECT_FALSE(keeper->state().problem.isEmpty());
    EXPECT_FALSE(copiedName(1001).isEmpty()) << "the copy before is still there";
    EXPECT_EQ(lookAgain(*keeper, 2), 0) << "tried again at the next look";
}
