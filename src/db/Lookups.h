#pragma once

#include <QString>
#include <QStringList>

namespace vanta::platform {
class Prompt;
class ProfileFile;
}

namespace vanta::db {

class Store;

// Small lookups shared by several screens (module "modPOS").

// True when the option has at least one value (`Values` on index `AttributeID`).
bool AttributeHasValues(db::Store &store, qint32 attributeId);

// True when a row of the table holds the value in the column, compared
// without regard to case. The value is matched literally; the table and the
// column must exist in the store (DbError ErrItemNotFound otherwise).
bool NameInUse(db::Store &store, const QString &table, const QString &column, const QString &value);

// Asks for a name for a new record of the table ("Customers" asks for a
// "Customer", "Owners" for a "Vendor") until the answer is empty or not yet
// used in the column; returns the answer, empty when cancelled.
QString GetNewName(db::Store &store, platform::Prompt &prompt, const QString &table, const QString &column);

// The state names of `States`, in order.
QStringList GetStates(db::Store &store);

// The number of a list key after its three-character prefix ("CAT12" gives
// 12, "CAT-1" gives -1).
qint32 GetID(const QString &key);

// Position of the `Customers` column holding the address part a
// jurisdiction type stands for; 0 for types outside 0..6.
qint16 GetCustFieldIndex(qint16 jurisdictionType);

// The item a variant belongs to; -1 when there is no such variant.
qint32 GetRootItemID(db::Store &store, qint32 variant);

// One value of the profile file, cut to a buffer of `size` characters
// including the terminating zero.
QString GetIniSetting(const platform::ProfileFile &profile, const QString &section, const QString &key,
                      const QString &defaultValue, int size);

} // namespace vanta::db
