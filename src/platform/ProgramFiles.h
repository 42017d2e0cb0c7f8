#pragma once

#include <QString>

namespace vanta::platform {

// A folder of the program's read-only files ("help", "reports"): beside the
// program in a build tree, or share/vanta-pos/NAME of the tree it is
// installed in (bin/../share/vanta-pos). The folder beside the program when
// neither exists.
QString programFilesFolder(const QString &name);

// Another program of the package ("vanta-admin"): the one beside this
// program when there is one, else the name alone (found on the PATH).
QString companionProgram(const QString &name);

// The user's data folder of the register: ~/.local/share/vanta-pos (or
// under $XDG_DATA_HOME), where the demo store and the backups live and
// where every file dialog starts.
QString userDataFolder();

} // namespace vanta::platform
