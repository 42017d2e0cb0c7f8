#include "platform/SettingsStore.h"

#include "diagnostics/VantaError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace vanta::platform {

namespace {

QString settingsKey(const QString &section, const QString &key)
{
    return section + QLatin1Char('/') + key;
}

// Every line is blank, a comment, a [section] or key=value with its double
// quotes closed: the lines the INI reader reads as they were written.
bool wellFormed(const QByteArray &text)
{
    for (QByteArray line : text.split('\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(';') || line.startsWith('#'))
            continue;
        if (line.startsWith('[')) {
            if (!line.endsWith(']'))
                return false;
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        if (eq <= 0)
            return false;
        bool quoted = false;
        for (qsizetype i = eq + 1; i < line.size(); ++i) {
            if (line[i] == '\\')
                ++i;
            else if (line[i] == '"')
                quoted = !quoted;
        }
        if (quoted)
            return false;
    }
    return true;
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

SettingsStore::FileState SettingsStore::fileState(const QString &application) const
{
    const QString path = filePath(application);
    if (!QFileInfo::exists(path))
        return FileState::Absent;
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return FileState::Unreadable;
    if (!wellFormed(file.readAll()))
        return FileState::Damaged;
    QSettings s(path, QSettings::IniFormat);
    return s.status() == QSettings::NoError ? FileState::Sound : FileState::Damaged;
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
