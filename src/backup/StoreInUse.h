#pragma once

#include <QString>

namespace vanta::backup {

// The process of another program (a register, the sqlcipher shell) that
// holds the store file open, or 0 when none does. Every connection to a
// store in write-ahead-log mode holds a read lock on the shared-memory
// file's "DMS" byte (offset 128 of "<store>-shm") for as long as it is open;
// the lock goes with the process. Locks of this process are not seen.
qint64 storeHolder(const QString &storeFile);

} // namespace vanta::backup
