#include "security/SecuritySwitch.h"

#include "db/Store.h"
#include "diagnostics/Trace.h"
#include "platform/Prompt.h"
#include "platform/SettingsStore.h"
#include "security/CommandGate.h"
#include "security/Identity.h"
#include "security/PermissionChecks.h"

namespace vanta::security {

namespace {
const QString kApplication = QStringLiteral("POS");
const QString kSection = QStringLiteral("Settings");
const QString kKey = QStringLiteral("Security");
} // namespace

bool CheckSecurity(platform::SettingsStore &settings, platform::Prompt &prompt)
{
    return diag::run("frmPOS", "CheckSecurity", true, [&] {
        using State = platform::SettingsStore::FileState;
        const State state = settings.fileState(kApplication);
        if (state == State::Unreadable || state == State::Damaged) {
            // What was stored cannot be known: never fall back to no logon.
            prompt.message(QStringLiteral("The settings file %1 %2, so security stays on: log on to go on, and "
                                          "have the file repaired or removed.")
                               .arg(settings.filePath(kApplication),
                                    state == State::Unreadable ? QStringLiteral("cannot be read")
                                                               : QStringLiteral("is damaged")),
                           platform::Buttons::Ok, platform::Icon::Exclamation, QString());
            return true;
        }
        const QString stored = settings.read(kApplication, kSection, kKey, QStringLiteral("False"));
        return stored.trimmed().compare(QLatin1String("True"), Qt::CaseInsensitive) == 0;
    });
}

void SaveSecurity(platform::SettingsStore &settings, bool on)
{
    settings.save(kApplication, kSection, kKey, on ? QStringLiteral("True") : QStringLiteral("False"));
}

bool ToggleSecurity(Identity &who, db::Store *store, platform::Prompt &prompt, platform::SettingsStore &settings)
{
    return diag::run("frmPOS", "ToggleSecurity", false, [&] {
        if (!who.loggedOn())
            return false;
        if (!PerformDatabaseUtilities(db::requireStore(store), who.employeeNumber)) {
            refuse(prompt, QStringLiteral("You do not have permissions to change POS Security."));
            return false;
        }
        // Saved first: when the settings cannot be written the switch stays as it was.
        const bool on = !who.securityOn;
        SaveSecurity(settings, on);
        who.securityOn = on;
        return true;
    });
}

} // namespace vanta::security
