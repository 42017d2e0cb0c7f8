#pragma once

#include <QString>

namespace vanta::backup {

struct RestoreReport {
    QString store;    // the store file now holding the backup
    QString replaced; // where the store it replaced is kept; empty when there was none
};

// Puts a backup in place of the store file of a data folder (or the store
// file named). Refused while another program holds the store open, when a
// store is there and `force` is not given, and when the backup fails its
// check (PRAGMA integrity_check). The backup is copied and checked beside
// the store first; the store it replaces, with the engine's files beside
// it, is kept under the name "<store>.replaced-<date>-<time>". Throws
// BackupError or DbError.
RestoreReport restoreStoreFile(const QString &backup, const QString &key, const QString &store, bool force);

} // namespace vanta::backup
