#pragma once

#include <QString>
#include <QTextStream>

namespace vanta::storegen {

// vanta-admin backup: the store of a data folder (or a server address) into
// `target`, or onto the store's shelf of backups in the user's data folder
// when no target is given. Writes the backup's path to `out`.
int backupCommand(const QString &store, const QString &target, QTextStream &out);

// vanta-admin restore: a backup in place of the store of a data folder.
int restoreCommand(const QString &backupFile, const QString &store, bool force, QTextStream &out);

} // namespace vanta::storegen
