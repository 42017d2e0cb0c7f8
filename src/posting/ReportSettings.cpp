#include "posting/ReportSettings.h"

#include "db/Lookups.h"
#include "platform/ProfileFile.h"

namespace vanta::posting {

namespace {

// One character of the key's value ("" when the key is empty).
QString firstCharacter(const platform::ProfileFile &profile, const QString &section, const QString &key,
                       const QString &defaultValue)
{
    return db::GetIniSetting(profile, section, key, defaultValue, 2);
}

int digitSetting(const platform::ProfileFile &profile, const QString &section, const QString &key)
{
    const QString c = firstCharacter(profile, section, key, QStringLiteral("0"));
    return !c.isEmpty() && c[0] >= QLatin1Char('0') && c[0] <= QLatin1Char('9') ? c[0].unicode() - '0' : 0;
}

} // namespace

ReportSettings LoadReportSettings(platform::ProfileFile &profile, const QString &employeeName, bool atLogon)
{
    ReportSettings s;
    s.destination = digitSetting(profile, employeeName, QStringLiteral("Destination"));
    s.reportDisplay = digitSetting(profile, employeeName, QStringLiteral("Report Display"));
    s.windowDisplay = digitSetting(profile, employeeName, QStringLiteral("Window Display"));
    s.alwaysOnTop = !atLogon
                    || firstCharacter(profile, employeeName, QStringLiteral("Always on Top"), QStringLiteral("1"))
                           != QLatin1String("0");
    return s;
}

void SaveReportSettings(platform::ProfileFile &profile, const QString &employeeName, const ReportSettings &settings)
{
    profile.writeString(employeeName, QStringLiteral("Destination"), QString::number(settings.destination));
    profile.writeString(employeeName, QStringLiteral("Report Display"), QString::number(settings.reportDisplay));
    profile.writeString(employeeName, QStringLiteral("Window Display"), QString::number(settings.windowDisplay));
    profile.writeString(employeeName, QStringLiteral("Always on Top"),
                        settings.alwaysOnTop ? QStringLiteral("1") : QStringLiteral("0"));
}

} // namespace vanta::posting
