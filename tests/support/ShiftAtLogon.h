#pragma once

#include "platform/SettingsStore.h"

namespace vanta::test {

// The register asks for the day's float at a logon with no shift open;
// tests of other things start without that question.
inline void noShiftAtLogon(platform::SettingsStore &settings)
{
    settings.save(QStringLiteral("POS"), QStringLiteral("Settings"), QStringLiteral("Open Shift At Logon"),
                  QStringLiteral("0"));
}

} // namespace vanta::test
