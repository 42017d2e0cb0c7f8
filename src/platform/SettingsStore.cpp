#include "platform/SettingsStore.h"

#include "diagnostics/VantaError.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace vanta::platform {

namespace {

QString settingsKey(const QString &section, const QString &key)
{
    return section + QLatin1Char('/') + key;
}

} // namespace

SettingsStore::SettingsStore(const QString &folder) : mFolder(folder) {}

QString SettingsStore::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/Vanta");
}

QString SettingsStore::filePath(const QString &application) const
{
    return QDir(mFolder).filePath(application + QStringLiteral(".ini"));
}

QString SettingsStore::read(const QString &application, const QString &section, const QString &key,
                            const QString &defaultValue) const
{
    QSettings s(filePath(application), QSettings::IniFormat);
    return s.value(settingsKey(section, key), defaultValue).toString();
}

void SettingsStore::save(const QString &application, const QString &section, const QString &key,
                         const QString &value)
{
    if (!QDir().mkpath(mFolder))
        throw VantaError(75, QStringLiteral("Cannot create the settings folder %1").arg(mFolder),
                         QStringLiteral("Vanta settings"));
    QSettings s(filePath(application), QSettings::IniFormat);
    s.setValue(settingsKey(section, key), value);
    s.sync();
    if (s.status() != QSettings::NoError)
        throw VantaError(75, QStringLiteral("Cannot write the settings file %1").arg(s.fileName()),
                         QStringLiteral("Vanta settings"));
}

} // namespace vanta::platform
