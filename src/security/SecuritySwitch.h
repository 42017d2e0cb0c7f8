#pragma once

namespace vanta::db {
class Store;
}
namespace vanta::platform {
class Prompt;
class SettingsStore;
}

namespace vanta::security {

struct Identity;

// The store-wide security switch, kept in the user's settings under
// "POS"/"Settings"/"Security" as "True" or "False". With security off every
// permission-gated command runs.

// The stored switch; a missing key (or no settings file) reads as off,
// "True" in any case as on. A settings file that exists but cannot be read
// or is damaged reads as on, and the cashier is told why.
bool CheckSecurity(platform::SettingsStore &settings, platform::Prompt &prompt);
// Stores the switch as "True" or "False".
void SaveSecurity(platform::SettingsStore &settings, bool on);

// The register's security command for a logged-on employee: with the
// database-utilities permission (required whether security is on or off) the
// switch flips and is saved; without it the cashier is told so and nothing
// changes. Returns whether the switch changed. With nobody logged on it does
// nothing and returns false: the caller shows the logon dialog instead.
bool ToggleSecurity(Identity &who, db::Store *store, platform::Prompt &prompt, platform::SettingsStore &settings);

} // namespace vanta::security
