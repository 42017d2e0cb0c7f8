// The register's own backups of its store.
#include "backup/BackupShelf.h"
#include "register/DeferredMessage.h"
#include "register/RegisterFixture.h"
#include "register/StoreBackups.h"
#include "support/Files.h"

#include <QAction>
#include <QFileInfo>

using namespace vanta;
using platform::Icon;

namespace {

// The register's backups over the session's store, with their messages
// shown through the scripted prompt.
class RegisterBackups : public test::SessionTest {
protected:
    RegisterBackups() { ts.store.reset(); }

    QString shelfRoot() const { return config.filePath("backups"); }
    backup::BackupShelf shelf() const { return backup::BackupShelf(shelfRoot(), store->filePath()); }
    QString file() const { return db::Store::databaseFile(ts.path()); }
    // Lets the worker and the message timer run until `done` or 30 s.
    template <typename Done>
    static bool waitFor(Done done) { return QTest::qWaitFor(done, 30000); }
    // Lets a message queued meanwhile be shown.
    static void settle() { QTest::qWait(400); }

    std::unique_ptr<db::Store> store = std::make_unique<db::Store>(ts.path());
    DeferredMessage messages{prompt, session.modals()};
    StoreBackups backups{shelfRoot(), messages};
};

} // namespace

// The first opening of a day backs the store up, without a word; later
// openings that day do not.
TEST_F(RegisterBackups, OneBackupAtTheFirstStartOfEachDay)
{
    backups.storeOpened(*store);
    EXPECT_TRUE(backups.running());
    waitFor([&] { return !backups.running(); });
    ASSERT_EQ(shelf().backups().size(), 1);
    EXPECT_TRUE(shelf().hasBackupFrom(QDate::currentDate()));
    StoreBackups nextStart(shelfRoot(), messages);
    nextStart.storeOpened(*store);
    EXPECT_FALSE(nextStart.running());
    settle();
    EXPECT_EQ(prompt.count(), 0);
}

// Asked for, a backup says where it went; asked again while one is being
// made, the cashier is told to wait for it.
TEST_F(RegisterBackups, BackUpNowSaysWhereTheBackupWent)
{
    backups.backUpNow(store.get());
    backups.backUpNow(store.get());
    waitFor([&] { return !backups.running() && prompt.count() > 0 && prompt.last().text.startsWith("The store was"); });
    ASSERT_EQ(shelf().backups().size(), 1);
    ASSERT_GE(prompt.count(), 1);
    EXPECT_EQ(prompt.last().text, "The store was backed up to '" + shelf().newest() + "'.");
    EXPECT_EQ(prompt.last().icon, Icon::Information);
    if (prompt.count() == 2) { // shown before the backup was done
        EXPECT_EQ(prompt.requests()[0].text,
                  "A backup of the store is being made. You will be told when it is done.");
    }
    const int shown = prompt.count();
    backups.backUpNow(nullptr);
    waitFor([&] { return prompt.count() == shown + 1; });
    EXPECT_EQ(prompt.last().text, "No store database is open: there is nothing to back up.");
}

// A daily backup that fails is said once a run in plain words; one the
// cashier asked for is always answered.
TEST_F(RegisterBackups, AFailedDailyBackupIsSaidOnce)
{
    test::writeFile(shelfRoot(), {}); // a file where the folder should be
    const QString said = "The store could not be backed up today: Could not create the folder '"
                         + shelf().folder() + "'.\n\nSales go on as before. Try again with \"Utilities\" > "
                                              "\"Back Up Store Now\", or tell the store's owner.";
    backups.storeOpened(*store);
    waitFor([&] { return prompt.count() == 1; });
    backups.storeOpened(*store); // the store opened again in the same run
    waitFor([&] { return !backups.running(); });
    settle();
    ASSERT_EQ(prompt.count(), 1);
    EXPECT_EQ(prompt.requests()[0].text, said);
    EXPECT_EQ(prompt.requests()[0].icon, Icon::Exclamation);
    backups.backUpNow(store.get());
    waitFor([&] { return prompt.count() == 2; });
    ASSERT_EQ(prompt.count(), 2);
    EXPECT_TRUE(prompt.last().text.startsWith("The store could not be backed up: Could not create"));
}

// A damaged store is met with the newest backup and the command that puts
// it in place, word for word; without a backup, with where none was found.
TEST_F(RegisterBackups, TheDamagedStoreMessageNamesTheNewestBackupAndTheCommand)
{
    const QString damaged = "The store database '" + file() + "' is damaged (page 7 cannot be read). Sales cannot "
                                                             "be saved into it. Close the register and ";
    EXPECT_EQ(backups.damagedStoreMessage(file(), "page 7 cannot be read"),
              damaged + "restore the store database from the latest backup.\n\nThe register found no backup of it "
                        "in '" + shelf().folder() + "'.");
    backups.backUpNow(store.get());
    waitFor([&] { return !backups.running(); });
    const QString newest = shelf().newest();
    ASSERT_FALSE(newest.isEmpty());
    EXPECT_EQ(backups.damagedStoreMessage(file(), "page 7 cannot be read"),
              damaged + "put the newest backup, taken " + QFileInfo(newest).lastModified().toString("yyyy-MM-dd HH:mm")
                  + ", in its place with this command:\n\nvanta-admin restore '" + newest + "' '" + ts.path()
                  + "' --force\n\nThe damaged store is kept beside it.");
}

namespace {
class RegisterBackupMenu : public test::RegisterTest {};
} // namespace

// "Back Up Store Now" in Utilities backs up the open store; the register
// started with a backup folder makes its daily backup by itself.
TEST_F(RegisterBackupMenu, BackUpStoreNowInUtilities)
{
    session.backupFolder = config.filePath("backups");
    open();
    auto *command = pos->findChild<QAction *>("mnuBackUpNow");
    ASSERT_NE(command, nullptr);
    EXPECT_EQ(command->text(), "&Back Up Store Now");
    const backup::BackupShelf shelf(session.backupFolder, session.store().filePath());
    (void)QTest::qWaitFor([&] { return !shelf.backups().isEmpty(); }, 30000);
    EXPECT_EQ(shelf.backups().size(), 1) << "the daily backup";
    QTest::qWait(300); // its worker ends once the backup has its name
    command->trigger();
    (void)QTest::qWaitFor([&] { return prompt.count() > 0; }, 60000);
    ASSERT_EQ(prompt.count(), 1);
    EXPECT_EQ(prompt.requests()[0].text, "The store was backed up to '" + shelf.newest() + "'.");
    EXPECT_EQ(shelf.backups().size(), 2);
}
