#include "storegen/BackupCommands.h"

#include "backup/BackupShelf.h"
#include "backup/StoreBackup.h"
#include "backup/StoreRestore.h"
#include "db/Store.h"
#include "storegen/AdminCommand.h"

#include <QDir>
#include <QFileInfo>

namespace vanta::storegen {

int backupCommand(const QString &store, const QString &target, QTextStream &out)
{
    const backup::StoreLocation location{store, db::Store::defaultKey(), QString()};
    if (target.isEmpty()) {
        out << backup::backupOntoShelf(location, backup::BackupShelf(backup::BackupShelf::defaultRoot(), store))
            << '\n';
        return AdminOk;
    }
    const QString file = QFileInfo(target).absoluteFilePath();
    backup::backupStore(location, file);
    out << file << '\n';
    return AdminOk;
}

int restoreCommand(const QString &backupFile, const QString &store, bool force, QTextStream &out)
{
    const backup::RestoreReport report =
        backup::restoreStoreFile(QFileInfo(backupFile).absoluteFilePath(), db::Store::defaultKey(), store, force);
    out << "Restored " << QDir::toNativeSeparators(backupFile) << " into " << report.store << '\n';
    if (!report.replaced.isEmpty())
        out << "The store it replaced is kept as " << report.replaced << '\n';
    return AdminOk;
}

} // namespace vanta::storegen
