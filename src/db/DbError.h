#pragma once

#include "diagnostics/VantaError.h"

namespace vanta::db {

// Error numbers of the record layer. Engine errors that have no number of
// their own are reported as EngineBase + the engine's result code.
enum DbErrorNumber {
    ErrFileNotFound = 3024,     // the store file does not exist
    ErrNotStoreDatabase = 3031, // wrong password, or not a store database
    ErrNoCurrentRecord = 3021,  // a field or edit without a current row
    ErrItemNotFound = 3265,     // no such field, table or index
    ErrNotUpdatable = 3027,     // the recordset cannot be written
    ErrUpdateWithoutEdit = 3020,
    ErrBusy = 3260,             // the store is locked by another program
    ErrMissingTables = 3078,    // the store lacks tables the register needs
    ErrDamaged = 3049,          // the store file is damaged
    ErrReadOnly = 3051,         // the store file or its folder cannot be written
    ErrDuplicateKey = 3022,     // a unique index already holds the value
    ErrConflict = 3262,         // another register changed the same rows at once: try again
    ErrServerGone = 3151,       // the store server cannot be reached
    ErrStoreAddress = 3170,     // a store address that cannot or must not be used
    EngineBase = 3500
};

class DbError : public VantaError {
public:
    DbError(int number, const QString &description)
        : VantaError(number, description, QStringLiteral("Vanta store database")) {}
};

} // namespace vanta::db
