#pragma once

#include <QString>

namespace vanta::platform {
class SettingsStore;
}

namespace vanta::dayend {

// The name this register's shifts are kept under: the per-user setting
// "POS"/"Settings"/"Register Name", else the computer's host name. Each
// register of a shared store needs a name of its own.
QString registerName(const platform::SettingsStore &settings);

} // namespace vanta::dayend
