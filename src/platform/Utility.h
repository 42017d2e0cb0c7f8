#pragma once

#include <QString>
#include <functional>

namespace vanta::db {
class Store;
}

namespace vanta::platform {

class Prompt;

// True when the path names an existing file.
bool FileExists(const QString &path);

// A random positive 32-bit id not yet used as a sale number (`Sales`.`Sales
// ID`), sold-line number (`Sold Items`.`Sold ID`) or customer number
// (`Customers`.`Cust ID`) in the store.
qint32 NewUniqueID(db::Store &store);
// The same with the candidates drawn from `draw` (tests); candidates that
// are not positive are skipped. Throws VantaError when no free id turns up
// after many draws.
qint32 NewUniqueID(db::Store &store, const std::function<qint32()> &draw);

// The About box: program name and version.
void ShowAbout(Prompt &prompt);

} // namespace vanta::platform
