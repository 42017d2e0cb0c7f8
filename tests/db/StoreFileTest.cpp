// The store file itself: how it is encrypted and who may read it.
#include "backup/BackupFixture.h"
#include "db/CipherSettings.h"
#include "db/DbError.h"
#include "db/FileConnection.h"
#include "db/StoreFileMode.h"
#include "support/TempStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlcipher/sqlite3.h>
#include <sys/stat.h>

using namespace vanta;

namespace {

using test::fileMode;

void chmodTo(const QString &path, int mode) { ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0); }

// A file written by another program straight through the library: the key,
// then the pragmas given, then one table with one row.
void writeWithLibrary(const QString &path, const char *pragmas)
{
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
    db::applyCipher(db, "4093", db::CipherParams::LibraryDefaults); // the key alone
    ASSERT_EQ(sqlite3_exec(db, pragmas, nullptr, nullptr, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "CREATE TABLE \"Items\" (\"Name\" TEXT); INSERT INTO \"Items\" VALUES ('Lamp');",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
}

} // namespace

// A store written with the cipher parameters given explicitly and one written
// with the library's own defaults both open and read; so does every store
// the program writes itself, with whole 1024-byte pages.
TEST(StoreFile, OpensFilesWrittenWithExplicitParametersAndWithTheLibraryDefaults)
{
    QTemporaryDir dir;
    const struct {
        const char *name;
        const char *pragmas;
    } files[] = {{"explicit.mdb", "PRAGMA cipher_page_size = 1024; PRAGMA kdf_iter = 64000;"
                                  "PRAGMA cipher_hmac_algorithm = HMAC_SHA1;"
                                  "PRAGMA cipher_kdf_algorithm = PBKDF2_HMAC_SHA1;"},
                 {"defaults.mdb", ""}};
    for (const auto &f : files) {
        SCOPED_TRACE(f.name);
        writeWithLibrary(dir.filePath(f.name), f.pragmas);
        db::FileConnection conn(dir.filePath(f.name), db::Store::defaultKey());
        EXPECT_EQ(conn.scalar("SELECT \"Name\" FROM \"Items\"").toString(), "Lamp");
    }
    test::TempStore ts;
    EXPECT_EQ(ts.db().connection().scalar("PRAGMA cipher_page_size").toInt(), 1024);
    EXPECT_EQ(ts.db().connection().scalar("PRAGMA kdf_iter").toInt(), 64000);
    EXPECT_EQ(QFileInfo(db::Store::databaseFile(ts.path())).size() % 1024, 0);
    EXPECT_THROW(db::FileConnection(db::Store::databaseFile(ts.path()), "wrong key"), db::DbError);
}

// New stores and the files the engine keeps beside them are the owner's
// alone; in a folder shared by a group (set-group-ID) the group's too.
TEST(StoreFile, NewStoresAreReadableByTheirOwnerOrTheSharedFoldersGroupOnly)
{
    QTemporaryDir dir;
    for (const bool shared : {false, true}) {
        SCOPED_TRACE(shared ? "shared folder" : "own folder");
        const QString folder = dir.filePath(shared ? "shared" : "own");
        ASSERT_TRUE(QDir().mkpath(folder));
        chmodTo(folder, shared ? 02770 : 0755);
        const int expected = shared ? 0660 : 0600;
        db::Store::create(folder);
        db::Store store(folder);
        store.database().execute("INSERT INTO \"Categories\" (\"Category\") VALUES ('Lamps')");
        const QString file = db::Store::databaseFile(folder);
        for (const char *suffix : {"", "-wal", "-shm"})
            EXPECT_EQ(fileMode(file + suffix), expected) << suffix;
    }
}

// Readable by every account: read rights for others on the file, and a way
// through every folder above it.
TEST(StoreFile, ReadableByEveryoneOnlyWithReadRightsAndAWayThroughEveryFolder)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath("data");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString file = QDir(folder).filePath("vanta.mdb");
    db::createStoreFile(file);
    EXPECT_EQ(fileMode(file), 0600);
    const struct {
        int top, folder, file;
        bool readable;
    } cases[] = {
        {0755, 0755, 0644, true},  {0755, 0755, 0640, false}, {0755, 0755, 0604, true},
        {0700, 0755, 0644, false}, {0755, 0754, 0644, false}, {0711, 0711, 0604, true},
    };
    for (const auto &c : cases) {
        chmodTo(dir.path(), c.top);
        chmodTo(folder, c.folder);
        chmodTo(file, c.file);
        EXPECT_EQ(db::readableByEveryone(file), c.readable) << std::oct << c.top << ' ' << c.folder << ' ' << c.file;
    }
    chmodTo(dir.path(), 0700);
    EXPECT_FALSE(db::readableByEveryone(QDir(folder).filePath("missing.mdb")));
}
