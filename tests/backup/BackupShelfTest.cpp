// The register's folder of backups of one store.
#include "backup/BackupShelf.h"
#include "backup/StoreBackup.h"
#include "backup/BackupFixture.h"
#include "support/Files.h"
#include "support/TempStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vanta;

namespace {

// An empty file.
void touch(const QString &path) { test::writeFile(path, {}); }

} // namespace

// Backups are named by the moment they were taken and sort by it; the
// newest 14 are kept and the oldest beyond them removed (at 14 none is);
// files that are not the shelf's backups are left alone.
TEST(BackupShelf, KeepsTheNewestFourteen)
{
    QTemporaryDir root;
    const backup::BackupShelf shelf(root.path(), "/srv/shop/data");
    ASSERT_TRUE(QDir().mkpath(shelf.folder()));
    const QDateTime first(QDate(2026, 11, 20), QTime(8, 0, 0));
    EXPECT_EQ(QFileInfo(shelf.nameFor(first)).fileName(), "vanta-20261120-080000.mdb");
    for (int day = 13; day >= 0; --day)
        touch(shelf.nameFor(first.addDays(day)));
    touch(QDir(shelf.folder()).filePath("notes.mdb"));
    shelf.prune();
    EXPECT_EQ(shelf.backups().size(), 14);
    EXPECT_EQ(shelf.newest(), shelf.nameFor(first.addDays(13)));
    touch(shelf.nameFor(first.addDays(14)));
    shelf.prune();
    const QStringList kept = shelf.backups();
    ASSERT_EQ(kept.size(), 14);
    EXPECT_EQ(kept.first(), shelf.nameFor(first.addDays(1)));
    EXPECT_TRUE(QFileInfo::exists(QDir(shelf.folder()).filePath("notes.mdb")));
    EXPECT_TRUE(shelf.hasBackupFrom(QDate(2026, 12, 4)));
    EXPECT_FALSE(shelf.hasBackupFrom(QDate(2026, 11, 20)));
}

// Each store has a shelf of its own, the same for its folder and its file;
// a server store's backups are pg_dump files.
TEST(BackupShelf, EveryStoreHasAShelfOfItsOwn)
{
    QTemporaryDir root, a, b;
    ASSERT_TRUE(QDir(a.path()).mkdir("data"));
    ASSERT_TRUE(QDir(b.path()).mkdir("data"));
    const QString folderA = QDir(a.path()).filePath("data");
    touch(QDir(folderA).filePath("vanta.mdb"));
    const backup::BackupShelf shelfA(root.path(), folderA);
    EXPECT_EQ(shelfA.folder(), backup::BackupShelf(root.path(), folderA + "/vanta.mdb").folder());
    EXPECT_EQ(shelfA.folder(), backup::BackupShelf(root.path(), folderA + "/").folder());
    EXPECT_NE(shelfA.folder(), backup::BackupShelf(root.path(), QDir(b.path()).filePath("data")).folder());
    EXPECT_TRUE(QFileInfo(shelfA.folder()).fileName().startsWith("data-"));
    const backup::BackupShelf server(root.path(), "postgresql://vanta_pos@storehost/vanta_store");
    EXPECT_TRUE(QFileInfo(server.folder()).fileName().startsWith("vanta_store-"));
    EXPECT_TRUE(server.nameFor(QDateTime::currentDateTime()).endsWith(".dump"));
}

// A backup onto the shelf makes the folder the owner's alone, and the
// backup opens as the store did.
TEST(BackupShelf, ABackupOntoTheShelfIsTheOwnersAlone)
{
    test::TempStore ts;
    ts.store.reset();
    QTemporaryDir root;
    const backup::BackupShelf shelf(root.path(), ts.path());
    const QString first = backup::backupOntoShelf({ts.path(), db::Store::defaultKey(), {}}, shelf);
    const QString second = backup::backupOntoShelf({ts.path(), db::Store::defaultKey(), {}}, shelf);
    EXPECT_EQ(shelf.backups(), (QStringList{first, second})) << "two backups within a second";
    EXPECT_EQ(test::fileMode(shelf.folder()), 0700);
    EXPECT_EQ(test::fileMode(first), 0600);
    EXPECT_EQ(test::storeRows(first), test::storeRows(db::Store::databaseFile(ts.path())));
}
