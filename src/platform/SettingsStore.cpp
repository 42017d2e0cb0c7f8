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

// Whether one line, as far as Qt's INI reader takes it, stays on its own
// line: its double quotes closed and no backslash before the line end (both
// carry the reader on into the lines after it). ';' outside quotes starts a
// comment. `equals` gets the position of the first '=' outside quotes.
bool closedLine(const QByteArray &line, qsizetype &equals)
{
    equals = -1;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '\\') {
            if (++i == line.size())
                return false;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ';' && !quoted) {
            break;
        } else if (c == '=' && !quoted && equals < 0) {
            equals = i;
        }
    }
    return !quoted;
}

// Every line is blank, a comment, a [section] or key=value, each read by the
// INI reader as the line it was written as. Lines end at a line feed or a
// carriage return, as they do for the reader.
bool wellFormed(QByteArray text)
{
    if (text.startsWith("\xef\xbb\xbf"))
        text.remove(0, 3);
    text.replace('\r', '\n');
    for (const QByteArray &raw : text.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(';'))
            continue;
        qsizetype equals = -1;
        if (!closedLine(raw, equals))
            return false;
        if (line.startsWith('#'))
            continue; // not the reader's comment, but harmless once closed
        if (line.startsWith('[')) {
            if (!line.endsWith(']'))
                return false;
            continue;
        }
        if (equals < 0 || raw.left(equals).trimmed().isEmpty())
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
