#pragma once

#include <QtGlobal>
#include <functional>

namespace vanta::db {

class Database;
class Store;

// A random positive 32-bit id not yet used as a sale number (`Sales`.`Sales
// ID`), sold-line number (`Sold Items`.`Sold ID`) or customer number
// (`Customers`.`Cust ID`) in the store.
qint32 NewUniqueID(Store &store);
// The same with the candidates drawn from `draw` (tests); candidates that
// are not positive are skipped. Throws VantaError when no free id turns up
// after many draws.
qint32 NewUniqueID(Store &store, const std::function<qint32()> &draw);
// The same, checked on a given connection: inside a posting's transaction
// its own connection sees every committed row (it holds the write lock) and
// the rows the posting has written so far, with its page cache warm.
qint32 NewUniqueID(const Database &db);
qint32 NewUniqueID(const Database &db, const std::function<qint32()> &draw);

} // namespace vanta::db
