#pragma once

#include "platform/SettingsStore.h"

namespace vanta::test {

// QTest types every key within a millisecond of the one before, faster than
// any barcode scanner: a register that tells scans by their speed would
// take what a test types into a box for a scan. Tests that type turn the
// timed capture off; those of the timed capture turn it on again.
inline void typeAtMachineSpeed(platform::SettingsStore &settings, bool timedCapture = false)
{
    settings.save(QStringLiteral("POS"), QStringLiteral("Settings"), QStringLiteral("Scanner Key Gap"),
                  timedCapture ? QStringLiteral("30") : QStringLiteral("0"));
}

} // namespace vanta::test
