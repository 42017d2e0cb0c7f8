#pragma once

#include <QString>
#include <atomic>

namespace vanta::backup {

// Copies the store file `source` into `target`: an encrypted copy with the
// store's key and cipher parameters, taken while registers keep selling.
// The copy reads one snapshot of the store, a few hundred pages at a time,
// without ever taking the store's write lock, so postings go on meanwhile;
// it is checked whole (PRAGMA integrity_check) under a temporary name and
// only then renamed to `target`. The new file is the owner's alone (see
// db::newStoreFileMode). Setting `cancel` stops the copy (BackupError
// cancelled); nothing is left behind by a failed or stopped copy.
// Throws BackupError or DbError.
void backupStoreFile(const QString &source, const QString &key, const QString &target,
                     const std::atomic<bool> *cancel = nullptr);

// Opens a store file with the key and checks every page and index of it;
// throws BackupError (damaged) naming the first problem, the file called
// `shownName` (the path itself when empty).
void requireWholeStore(const QString &path, const QString &key, const QString &shownName = QString());

} // namespace vanta::backup
