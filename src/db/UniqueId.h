#pragma once

#include <QtGlobal>
#include <functional>

namespace vanta::db {

class Store;

// A random positive 32-bit id not yet used as a sale number (`Sales`.`Sales
// ID`), sold-line number (`Sold Items`.`Sold ID`) or customer number
// (`Customers`.`Cust ID`) in the store.
qint32 NewUniqueID(Store &store);
// The same with the candidates drawn from `draw` (tests); candidates that
// are not positive are skipped. Throws VantaError when no free id turns up
// after many draws.
qint32 NewUniqueID(Store &store, const std::function<qint32()> &draw);

} // namespace vanta::db
