#include "security/SecuritySwitch.h"

#include "diagnostics/Trace.h"
#include "platform/Prompt.h"
#include "platform/SettingsStore.h"
#include "register/RegisterSession.h"
#include "security/CommandGate.h"
#include "security/PermissionChecks.h"

namespace vanta::security {

namespace {
const QString kApplication = QStringLiteral("POS");
const QString kSection = QStringLiteral("Settings");
const QString kKey = QStringLiteral("Security");
} // namespace

bool CheckSecurity(platform::SettingsStore &settings)
{
    return diag::run("frmPOS", "CheckSecurity", false, [&] {
        const QString stored = settings.read(kApplication, kSection, kKey, QStringLiteral("False"));
        return stored.trimmed().compare(QLatin1String("True"), Qt::CaseInsensitive) == 0;
    });
}

void SaveSecurity(platform::SettingsStore &settings, bool on)
{
    settings.save(kApplication, kSection, kKey, on ? QStringLiteral("True") : QStringLiteral("False"));
}

bool ToggleSecurity(RegisterSession &session)
{
    return diag::run("frmPOS", "ToggleSecurity", false, [&] {
        if (!session.loggedOn())
            return false;
        if (!PerformDatabaseUtilities(session.store(), session.employeeNumber)) {
            refuse(session, QStringLiteral("You do not have permissions to change POS Security."),
                   QStringLiteral("Vanta! POS"));
            return false;
        }
        // Saved first: when the settings cannot be written the switch stays as it was.
        const bool on = !session.mfSecurity;
        SaveSecurity(session.settings, on);
        session.mfSecurity = on;
        return true;
    });
}

} // namespace vanta::security
