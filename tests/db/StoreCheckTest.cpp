#include "backup/BackupFixture.h"
#include "db/DbError.h"
#include "db/StoreCheck.h"
#include "support/Raised.h"
#include "support/TempStore.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace vanta;

namespace {

// A store of a few hundred items, closed, with one page in the middle of
// the file overwritten: the kind of damage a bad disk sector leaves.
struct DamagedStore {
    test::TempStore ts;
    DamagedStore()
    {
        db::Transaction tx(ts.db().connection());
        for (int i = 1; i <= 400; ++i)
            ts.db().execute("INSERT INTO \"Items\" (\"Item Index\", \"Name\") VALUES (?, ?)",
                            {i, QString("Item number %1 with a long enough name").arg(i)});
        tx.commit();
        ts.store.reset();
    }
    QString file() const { return db::Store::databaseFile(ts.path()); }
    void damage() { ASSERT_TRUE(test::damagePage(file())); }
};

db::StoreCheckResult checkInBackground(const QString &path)
{
    db::StoreCheckResult result;
    QEventLoop loop;
    db::BackgroundStoreCheck check(path, db::Store::defaultKey(), [&](const db::StoreCheckResult &r) {
        result = r;
        loop.quit();
    });
    loop.exec();
    return result;
}

} // namespace

// Damage that the opening read never touches is found by the check of every
// page, summed up in a few words, and closes the store to writes.
TEST(StoreCheck, FindsADamagedPageThatOpeningMisses)
{
    DamagedStore s;
    EXPECT_TRUE(checkInBackground(s.file()).whole);

    s.damage();
    db::Store store(s.ts.path()); // the schema page is whole: it opens
    const db::StoreCheckResult found = checkInBackground(s.file());
    EXPECT_FALSE(found.whole);
    EXPECT_FALSE(found.problem.isEmpty());

    EXPECT_LE(found.problem.size(), 200) << "said in a few words: " << found.problem.toStdString();
    EXPECT_TRUE(found.problem.startsWith("page ")) << found.problem.toStdString();

    store.markDamaged(found.problem);
    const test::Raised refused = test::raised([&] { store.requireUndamaged(); });
    EXPECT_EQ(refused.number, db::ErrDamaged) << "a damaged store must refuse writes";
    EXPECT_EQ(refused.text, db::damagedStoreMessage(s.file(), found.problem));
}

// Closing the register while a long check runs does not wait for it to end.
TEST(StoreCheck, StopsWhenDestroyed)
{
    DamagedStore s;
    bool called = false;
    {
        db::BackgroundStoreCheck check(s.file(), db::Store::defaultKey(), [&](const db::StoreCheckResult &) {
            called = true;
        });
    }
    QCoreApplication::processEvents();
    EXPECT_FALSE(called) << "no result is handed over after the check was dropped";
}

// A store the user cannot write is refused as read-only, naming the file or
// the folder. Root may write anything, so the opening is tried as "nobody".
TEST(Store, ReadOnlyFileOrFolderIsNamed)
{
    if (qEnvironmentVariableIsSet("VANTA_READONLY_CHILD")) {
        try {
            db::Store store(qEnvironmentVariable("VANTA_READONLY_CHILD"));
            printf("opened\n");
        } catch (const db::DbError &e) {
            printf("%d %s\n", e.number(), e.description().toUtf8().constData());
        }
        return;
    }
    test::TempStore ts;
    ts.store.reset();
    const QString file = db::Store::databaseFile(ts.path());
    const auto openAs = [&](bool asNobody) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("VANTA_READONLY_CHILD", ts.path());
        child.setProcessEnvironment(env);
        const QStringList args{"--gtest_filter=Store.ReadOnlyFileOrFolderIsNamed"};
        if (asNobody)
            child.start("setpriv", QStringList{"--reuid=65534", "--regid=65534", "--clear-groups",
                                               QCoreApplication::applicationFilePath()}
                                       + args);
        else
            child.start(QCoreApplication::applicationFilePath(), args);
        child.waitForFinished(60000);
        return QString::fromUtf8(child.readAllStandardOutput());
    };
    const bool root = geteuid() == 0;
    if (root && QProcess::execute("setpriv", {"--version"}) != 0)
        GTEST_SKIP() << "running as root without setpriv: file permissions cannot be tried";
    // The child must reach the folder and read the file, nothing more.
    QFile::setPermissions(ts.path(), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadOther);
    QString out = openAs(root);
    EXPECT_TRUE(out.contains(QString("%1 The store database '%2' is read-only: the register cannot save sales")
                                 .arg(db::ErrReadOnly)
                                 .arg(file)))
        << out.toStdString();
    // The engine keeps its log beside the file: a writable file in a folder
    // that cannot be written is refused too, naming the folder.
    QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadOther | QFile::WriteOther | QFile::WriteOwner);
    out = openAs(root);
    EXPECT_TRUE(out.contains(QString("The folder of the store database '%1' is read-only").arg(file)))
        << out.toStdString();
    QFile::setPermissions(ts.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
