#pragma once

#include <QString>
#include <atomic>

namespace vanta::backup {

class BackupShelf;

// What a backup needs to know of the store: its data folder (or store file)
// or server address, its key, and a server password where ~/.pgpass is not
// used.
struct StoreLocation {
    QString location;
    QString key;
    QString serverPassword;
};

// Backs up the store into `target`: the online copy of a store file, or
// pg_dump of a server store. Throws BackupError or DbError.
void backupStore(const StoreLocation &store, const QString &target, const std::atomic<bool> *cancel = nullptr);

// Backs up the store onto its shelf (the folder made, the owner's alone)
// and keeps the newest BackupShelf::Kept there. Returns the new backup.
QString backupOntoShelf(const StoreLocation &store, const BackupShelf &shelf,
                        const std::atomic<bool> *cancel = nullptr);

} // namespace vanta::backup
