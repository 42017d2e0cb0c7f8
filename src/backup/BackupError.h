#pragma once

#include "diagnostics/VantaError.h"

namespace vanta::backup {

// Why a backup or a restore was refused or failed, in words for the store's
// owner. Store engine errors met on the way stay DbErrors.
enum BackupErrorNumber {
    ErrBackupFailed = 3700,    // the copy could not be made or written
    ErrBackupDamaged = 3701,   // a copy (or a backup to restore) fails its check
    ErrStoreInUse = 3702,      // a register holds the store open
    ErrStoreExists = 3703,     // a restore would replace a store without --force
    ErrToolMissing = 3704,     // the server's backup tools are not installed
    ErrBackupCancelled = 3705, // stopped before it was done (the register closing)
};

class BackupError : public VantaError {
public:
    BackupError(int number, const QString &description)
        : VantaError(number, description, QStringLiteral("Vanta store backup")) {}
};

} // namespace vanta::backup
