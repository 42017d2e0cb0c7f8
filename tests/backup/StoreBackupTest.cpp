// Backups of a store file taken while another register posts sales, and
// their restore.
#include "backup/BackupError.h"
#include "backup/FileBackup.h"
#include "backup/StoreBackup.h"
#include "backup/StoreInUse.h"
#include "backup/StoreRestore.h"
#include "backup/BackupFixture.h"
#include "db/DbError.h"
#include "posting/KillTestSale.h"
#include "storegen/DemoStore.h"
#include "support/Files.h"
#include "support/Raised.h"
#include "support/TempStore.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vanta;
using test::killtest::killLines;
using test::killtest::stockOf;

namespace {

// The demo store, and a second program that posts the same sale on it
// again and again, as another register would.
class StoreBackup : public ::testing::Test {
protected:
    StoreBackup()
    {
        storegen::fillDemoStore(ts.db());
        ts.store.reset();
    }
    ~StoreBackup() override { stopPosting(); }

    QString file() const { return db::Store::databaseFile(ts.path()); }
    QString backupFile(const char *name) const { return out.filePath(QString::fromLatin1(name)); }

    // What restoring the backup over the store raised.
    test::Raised restoreOver(const QString &copy, bool force)
    {
        return test::raised([&] { backup::restoreStoreFile(copy, db::Store::defaultKey(), ts.path(), force); });
    }
    // Starts the other register and waits for its first few sales.
    void startPosting()
    {
        poster.start(QStringLiteral(VANTA_POSTING_CHILD), {ts.path()});
        ASSERT_TRUE(poster.waitForStarted());
        int posted = -1; // the first line says "ready"
        while (posted < 5 && poster.waitForReadyRead(20000))
            posted += int(poster.readAll().count('\n'));
        ASSERT_GE(posted, 5) << poster.readAllStandardError().toStdString();
    }
    void stopPosting()
    {
        if (poster.state() == QProcess::NotRunning)
            return;
        poster.kill();
        poster.waitForFinished();
    }

    test::TempStore ts;
    QTemporaryDir out;
    QProcess poster;
};

} // namespace

// A backup taken while sales are being posted is one moment of the store:
// every sale in it whole, the stock lowered by exactly those sales, every
// other row as in the store. Restored (once the store is no longer open
// anywhere), the store holds exactly the backup's rows and the store it
// replaced is kept beside it, whole.
TEST_F(StoreBackup, RoundTripWhileAnotherRegisterPostsSales)
{
    const QMap<QString, QStringList> before = test::storeRows(file());
    std::map<qint32, double> startStock;
    {
        db::FileConnection conn(file(), db::Store::defaultKey());
        for (const auto &k : killLines())
            startStock[k.index] = stockOf(conn, k);
    }
    startPosting();
    const QString copy = backupFile("during.mdb");
    backup::backupStore({ts.path(), db::Store::defaultKey(), {}}, copy);
    EXPECT_EQ(test::fileMode(copy), 0600);
    EXPECT_FALSE(QFileInfo::exists(copy + ".partial"));
    backup::requireWholeStore(copy, db::Store::defaultKey()); // opens with the store's key

    // Refused while the other register holds the store open, naming it.
    const test::Raised inUse = restoreOver(copy, true);
    EXPECT_EQ(inUse.number, backup::ErrStoreInUse) << "restored under a register";
    EXPECT_TRUE(inUse.text.contains(QString::number(poster.processId()))) << inUse.text.toStdString();
    stopPosting();
    EXPECT_EQ(backup::storeHolder(file()), 0);

    const QMap<QString, QStringList> backedUp = test::storeRows(copy);
    const QMap<QString, QStringList> after = test::storeRows(file());
    const int sales = int(backedUp["Sales"].size() - before["Sales"].size());
    EXPECT_GE(sales, 5) << "the sales posted before the backup began";
    EXPECT_LT(backedUp["Sales"].size(), after["Sales"].size()) << "sales went on during the backup";
    {
        db::FileConnection conn(copy, db::Store::defaultKey());
        EXPECT_EQ(conn.scalar(test::killtest::kIncompleteSales).toInt(), 0) << "a sale without all of its lines";
        for (const auto &k : killLines())
            EXPECT_DOUBLE_EQ(stockOf(conn, k), startStock[k.index] - double(k.qty) * sales) << k.index;
    }
    EXPECT_EQ(backedUp.keys(), after.keys());
    for (auto t = backedUp.begin(); t != backedUp.end(); ++t) {
        if (t.key() == QLatin1String("Items") || t.key() == QLatin1String("Subitems"))
            continue; // their stock, checked above
        for (const QString &row : t.value())
            EXPECT_TRUE(after[t.key()].contains(row)) << t.key().toStdString() << ": " << row.toStdString();
    }

    // Replacing a store takes --force.
    const test::Raised exists = restoreOver(copy, false);
    EXPECT_EQ(exists.number, backup::ErrStoreExists) << "replaced without --force";
    EXPECT_EQ(exists.text, "'" + file() + "' already holds a store. Add --force to replace it "
                                          "(the store it replaces is kept beside it).");
    EXPECT_EQ(test::storeRows(file()), after);
    const backup::RestoreReport report = backup::restoreStoreFile(copy, db::Store::defaultKey(), ts.path(), true);
    EXPECT_EQ(report.store, file());
    EXPECT_TRUE(report.replaced.startsWith(file() + ".replaced-")) << report.replaced.toStdString();
    EXPECT_EQ(test::storeRows(file()), backedUp);
    EXPECT_EQ(test::storeRows(report.replaced), after);
    EXPECT_EQ(test::fileMode(file()), 0600);
    EXPECT_FALSE(QFileInfo::exists(file() + ".partial"));
    db::Store reopened(ts.path());
    EXPECT_EQ(reopened.database().scalar("SELECT count(*) FROM Sales").toInt(), backedUp["Sales"].size());
}

// A backup that fails its check is refused and the store stays as it was;
// a folder without a store takes a backup without --force, and stray
// engine files there are not read into it.
TEST_F(StoreBackup, RestoreRefusesADamagedBackupAndNeedsNoForceWhereNoStoreIs)
{
    const QString good = backupFile("good.mdb");
    backup::backupStore({ts.path(), db::Store::defaultKey(), {}}, good);
    const QString bad = backupFile("bad.mdb");
    ASSERT_TRUE(QFile::copy(good, bad));
    ASSERT_TRUE(test::damagePage(bad));
    const QMap<QString, QStringList> rows = test::storeRows(file());
    EXPECT_THROW(backup::restoreStoreFile(bad, db::Store::defaultKey(), ts.path(), true), VantaError);
    EXPECT_EQ(test::storeRows(file()), rows);
    EXPECT_EQ(QDir(ts.path()).entryList(QDir::Files), QStringList{"vanta.mdb"});

    const QString empty = out.filePath("empty");
    ASSERT_TRUE(QDir().mkpath(empty));
    test::writeFile(QDir(empty).filePath("vanta.mdb-wal"), QByteArray(4096, 'x'));
    const backup::RestoreReport report = backup::restoreStoreFile(good, db::Store::defaultKey(), empty, false);
    EXPECT_TRUE(report.replaced.isEmpty());
    EXPECT_EQ(test::storeRows(report.store), rows);
}

// A backup of a damaged store is no backup: it fails, leaves nothing behind
// and the earlier backup under its name is untouched.
TEST_F(StoreBackup, ABackupOfADamagedStoreFailsAndLeavesNothing)
{
    const QString target = backupFile("store.mdb");
    backup::backupStore({ts.path(), db::Store::defaultKey(), {}}, target);
    const QMap<QString, QStringList> kept = test::storeRows(target);
    test::addArchive(db::Store(ts.path()).database());
    ASSERT_TRUE(test::damagePage(file()));
    EXPECT_THROW(backup::backupStore({ts.path(), db::Store::defaultKey(), {}}, target), VantaError);
    EXPECT_EQ(test::storeRows(target), kept);
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files), QStringList{"store.mdb"});
}
