#include "backup/StoreBackup.h"

#include "backup/BackupError.h"
#include "backup/BackupShelf.h"
#include "backup/FileBackup.h"
#include "backup/ServerBackup.h"
#include "db/Store.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vanta::backup {

void backupStore(const StoreLocation &store, const QString &target, const std::atomic<bool> *cancel)
{
    if (db::Store::isServerAddress(store.location)) {
        backupServerStore(store.location, store.serverPassword, target);
        return;
    }
    const QFileInfo info(store.location);
    const QString file = info.isDir() ? db::Store::databaseFile(store.location) : info.absoluteFilePath();
    if (!info.exists() || !QFileInfo::exists(file))
        throw BackupError(ErrBackupFailed, QStringLiteral("There is no store database at '%1'.").arg(store.location));
    backupStoreFile(file, store.key, target, cancel);
}

QString backupOntoShelf(const StoreLocation &store, const BackupShelf &shelf, const std::atomic<bool> *cancel)
{
    if (!QFileInfo(shelf.folder()).isDir()) {
        if (!QDir().mkpath(shelf.folder()))
            throw BackupError(ErrBackupFailed, QStringLiteral("Could not create the folder '%1'.").arg(shelf.folder()));
        QFile::setPermissions(shelf.folder(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    QDateTime at = QDateTime::currentDateTime();
    while (QFileInfo::exists(shelf.nameFor(at)))
        at = at.addSecs(1); // two backups within one second
    const QString target = shelf.nameFor(at);
    backupStore(store, target, cancel);
    shelf.prune();
    return target;
}

} // namespace vanta::backup
