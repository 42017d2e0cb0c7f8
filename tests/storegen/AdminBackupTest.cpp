// vanta-admin backup and restore, as the store's owner types them.
#include "backup/BackupFixture.h"
#include "db/Store.h"
#include "storegen/AdminCommand.h"
#include "storegen/AdminRun.h"
#include "storegen/DemoStore.h"
#include "support/PgServer.h"
#include "support/TempPgStore.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vanta;

namespace {

using test::admin;
using test::AdminRun;

} // namespace

// backup --to writes the copy and names it; restore puts it back, refusing
// to replace a store without --force and saying where the old one is kept.
TEST(AdminBackup, BacksUpAndRestoresAStoreFolder)
{
    QTemporaryDir tmp;
    const QString folder = tmp.filePath("data");
    ASSERT_EQ(admin({"demo", folder}).rc, storegen::AdminOk);
    const QString file = folder + "/vanta.mdb";
    const QString copy = tmp.filePath("copy.mdb");
    AdminRun r = admin({"backup", folder, "--to", copy});
    ASSERT_EQ(r.rc, storegen::AdminOk) << r.err.toStdString();
    EXPECT_EQ(r.out, copy + "\n");
    EXPECT_EQ(test::storeRows(copy), test::storeRows(file));
    EXPECT_EQ(test::fileMode(file), 0600) << "a new store is its owner's alone";

    r = admin({"restore", copy, folder});
    EXPECT_EQ(r.rc, storegen::AdminFailed);
    EXPECT_EQ(r.err, "vanta-admin: '" + file + "' already holds a store. Add --force to replace it "
                                               "(the store it replaces is kept beside it).\n");
    r = admin({"restore", copy, folder, "--force"});
    ASSERT_EQ(r.rc, storegen::AdminOk) << r.err.toStdString();
    const QStringList kept = QDir(folder).entryList({"vanta.mdb.replaced-*"}, QDir::Files);
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(r.out, "Restored " + copy + " into " + file + "\nThe store it replaced is kept as " + folder + "/"
                         + kept.first() + "\n");
    EXPECT_EQ(test::storeRows(file), test::storeRows(copy));
}

TEST(AdminBackup, UsageErrorsSayWhatIsMissing)
{
    const struct {
        QStringList args;
        const char *said;
    } cases[] = {
        {{"backup"}, "backup needs one store folder, or --pg URL alone"},
        {{"restore", "/tmp/copy.mdb"}, "restore needs a backup file and the store folder to restore into"},
        {{"restore", "/tmp/copy.mdb", "--pg", "postgresql://u@h/d"},
         "a server store is restored with pg_restore, not vanta-admin"},
        {{"create", "/tmp/x", "--to", "/tmp/y"}, "--to belongs to the backup command"},
    };
    for (const auto &c : cases) {
        const AdminRun r = admin(c.args);
        EXPECT_EQ(r.rc, storegen::AdminUsage) << c.said;
        EXPECT_EQ(r.err, QString("vanta-admin: ") + c.said + " (see vanta-admin --help)\n");
    }
}

// A server store is backed up by pg_dump in its custom format, and that
// backup restores with pg_restore into an empty database with every row.
TEST(AdminBackup, AServerStoreIsBackedUpWithPgDump)
{
    VANTA_REQUIRE_PG_SERVER();
    test::TempPgStore store;
    storegen::fillDemoStore(store.db());
    const qint64 items = store.db().scalar("SELECT count(*) FROM \"Items\"").toLongLong();
    QTemporaryDir tmp;
    const QString dump = tmp.filePath("store.dump");
    AdminRun r = admin({"backup", "--pg", store.address, "--to", dump});
    ASSERT_EQ(r.rc, storegen::AdminOk) << r.err.toStdString();
    EXPECT_EQ(test::fileMode(dump), 0600);
    const QString emptyDb = test::PgServer::shared()->newDatabase();
    QProcess restore;
    restore.start("pg_restore", {"--no-owner", "--dbname=" + emptyDb, dump});
    ASSERT_TRUE(restore.waitForFinished(60000));
    ASSERT_EQ(restore.exitCode(), 0) << restore.readAllStandardError().toStdString();
    db::Store restored(emptyDb);
    EXPECT_EQ(restored.database().scalar("SELECT count(*) FROM \"Items\"").toLongLong(), items);
}
