#pragma once

#include <QString>

namespace vanta {

// Makes the demo store in a folder with the package's own vanta-admin (the
// register itself carries no demo data). Throws VantaError with what the
// tool said when it could not.
void makeDemoStoreWithAdminTool(const QString &folder);

} // namespace vanta
