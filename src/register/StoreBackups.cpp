#include "register/StoreBackups.h"

#include "backup/BackgroundBackup.h"
#include "db/Store.h"
#include "db/StoreCheck.h"
#include "diagnostics/ApplicationTitle.h"
#include "platform/ProgramFiles.h"
#include "register/DeferredMessage.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>

namespace vanta {

namespace {

backup::StoreLocation locationOf(const db::Store &store)
{
    return {store.filePath(), store.key(), store.serverPassword()};
}

// The back-office tool beside the register when it is installed there.
QString adminTool() { return platform::companionProgram(QStringLiteral("vanta-admin")); }

} // namespace

StoreBackups::StoreBackups(QString folder, DeferredMessage &messages)
    : mFolder(std::move(folder)), mMessages(messages)
{
}

StoreBackups::~StoreBackups() = default;

bool StoreBackups::running() const { return mRunning && mRunning->running(); }

void StoreBackups::storeOpened(const db::Store &store)
{
    mRunning.reset();
    if (mFolder.isEmpty() || store.onServer())
        return;
    if (backup::BackupShelf(mFolder, locationOf(store).location).hasBackupFrom(QDate::currentDate()))
        return;
    start(store, false);
}

void StoreBackups::backUpNow(const db::Store *store)
{
    const QString title = applicationTitle();
    if (!store) {
        mMessages.queue(QStringLiteral("No store database is open: there is nothing to back up."),
                        platform::Buttons::Ok, platform::Icon::Exclamation, title);
        return;
    }
    if (running()) {
        mMessages.queue(QStringLiteral("A backup of the store is being made. You will be told when it is done."),
                        platform::Buttons::Ok, platform::Icon::Information, title);
        return;
    }
    start(*store, true);
}

void StoreBackups::storeClosed() { mRunning.reset(); }

void StoreBackups::start(const db::Store &store, bool asked)
{
    const QString root = mFolder.isEmpty() ? backup::BackupShelf::defaultRoot() : mFolder;
    const backup::StoreLocation location = locationOf(store);
    mRunning = std::make_unique<backup::BackgroundBackup>(
        location, backup::BackupShelf(root, location.location),
        [this, asked](const backup::BackupOutcome &outcome) { finished(outcome, asked); });
}

void StoreBackups::finished(const backup::BackupOutcome &outcome, bool asked)
{
    const QString title = applicationTitle();
    if (outcome.done) {
        if (asked)
            mMessages.queue(QStringLiteral("The store was backed up to '%1'.")
                                .arg(QDir::toNativeSeparators(outcome.file)),
                            platform::Buttons::Ok, platform::Icon::Information, title);
        return;
    }
    // A damaged store is said by the check of its pages, with its newest
    // backup; the daily backup adds nothing to that.
    if (!asked && (mFailureSaid || outcome.storeDamaged))
        return;
    mFailureSaid = mFailureSaid || !asked;
    mMessages.queue(QStringLiteral("The store could not be backed up%1: %2\n\nSales go on as before. Try again "
                                   "with \"Utilities\" > \"Back Up Store Now\", or tell the store's owner.")
                        .arg(asked ? QString() : QStringLiteral(" today"), outcome.problem),
                    platform::Buttons::Ok, platform::Icon::Exclamation, title);
}

QString StoreBackups::damagedStoreMessage(const QString &path, const QString &problem) const
{
    const QString damaged = db::damagedStoreMessage(path, problem);
    if (mFolder.isEmpty())
        return damaged;
    const backup::BackupShelf shelf(mFolder, path);
    const QString newest = shelf.newest();
    if (newest.isEmpty())
        return damaged + QStringLiteral("\n\nThe register found no backup of it in '%1'.")
                             .arg(QDir::toNativeSeparators(shelf.folder()));
    return QStringLiteral("The store database '%1' is damaged (%2). Sales cannot be saved into it. Close the "
                          "register and put the newest backup, taken %3, in its place with this command:\n\n"
                          "%4 restore '%5' '%6' --force\n\nThe damaged store is kept beside it.")
        .arg(path, problem,
             QFileInfo(newest).lastModified().toString(QStringLiteral("yyyy-MM-dd HH:mm")), adminTool(),
             QDir::toNativeSeparators(newest), QDir::toNativeSeparators(QFileInfo(path).absolutePath()));
}

} // namespace vanta
