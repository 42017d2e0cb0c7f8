#include "platform/ScannerSettings.h"

#include "platform/SettingsStore.h"

#include <QHash>
#include <QStringList>

namespace vanta::platform {

namespace {

int namedKey(const QString &name)
{
    static const QHash<QString, int> names = {
        {QStringLiteral("enter"), 13},        {QStringLiteral("return"), 13},
        {QStringLiteral("tab"), 9},           {QStringLiteral("esc"), 27},
        {QStringLiteral("escape"), 27},       {QStringLiteral("space"), 32},
        {QStringLiteral("bracketleft"), 219}, {QStringLiteral("bracketright"), 221},
        {QStringLiteral("backslash"), 220},
    };
    const QString lower = name.toLower();
    if (names.contains(lower))
        return names.value(lower);
    if (lower.size() >= 2 && lower.startsWith(QLatin1Char('f'))) {
        bool ok = false;
        const int n = lower.mid(1).toInt(&ok);
        if (ok && n >= 1 && n <= 24)
            return 111 + n; // F1 is 112
    }
    if (name.size() != 1 || name.at(0).unicode() < 0x21 || name.at(0).unicode() > 0x7e)
        return 0;
    const QChar c = name.at(0).toUpper();
    switch (c.unicode()) {
    case '[': return 219;
    case ']': return 221;
    case '\\': return 220;
    case '^': return 54;
    default: return c.unicode(); // digits and capitals are their own codes, as are other characters
    }
}

QList<ScanKey> keysOf(const QString &text, const QList<ScanKey> &fallback)
{
    const QString trimmed = text.trimmed();
    if (trimmed.compare(QLatin1String("none"), Qt::CaseInsensitive) == 0)
        return {};
    QList<ScanKey> keys;
    for (const QString &part : trimmed.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const std::optional<ScanKey> key = parseScanKey(part);
        if (!key)
            return fallback;
        keys << *key;
    }
    return keys.isEmpty() ? fallback : keys;
}

int numberOf(const QString &text, int fallback, int least)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok && n >= least && n <= 1000 ? n : fallback;
}

} // namespace

ScannerSettings::ScannerSettings()
{
    prefix.append(ScanKey{221, 2});
    suffix.append(ScanKey{220, 2});
    suffix.append(ScanKey{54, 3});
}

std::optional<ScanKey> parseScanKey(const QString &text)
{
    QStringList parts = text.trimmed().split(QLatin1Char('+'));
    // "Ctrl++" names the plus key: the last part is then empty.
    if (parts.size() >= 2 && parts.last().isEmpty() && parts.at(parts.size() - 2).isEmpty()) {
        parts.removeLast();
        parts.last() = QStringLiteral("+");
    }
    ScanKey key;
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
        const QString mod = parts[i].trimmed().toLower();
        const int bit = mod == QLatin1String("shift") ? 1
                        : (mod == QLatin1String("ctrl") || mod == QLatin1String("control")) ? 2
                        : mod == QLatin1String("alt") ? 4 : 0;
        if (bit == 0 || (key.shift & bit))
            return std::nullopt;
        key.shift |= bit;
    }
    key.keyCode = namedKey(parts.last().trimmed());
    if (key.keyCode == 0)
        return std::nullopt;
    return key;
}

ScannerSettings readScannerSettings(const SettingsStore &settings)
{
    const auto value = [&](const char *key) {
        return settings.read(QStringLiteral("POS"), QStringLiteral("Settings"), QLatin1String(key));
    };
    ScannerSettings s;
    s.prefix = keysOf(value("Scanner Prefix"), s.prefix);
    s.suffix = keysOf(value("Scanner Suffix"), s.suffix);
    if (s.prefix.isEmpty() || s.suffix.isEmpty()) { // framing needs both keys
        s.prefix.clear();
        s.suffix.clear();
    }
    s.keyGapMs = numberOf(value("Scanner Key Gap"), s.keyGapMs, 0);
    s.minLength = numberOf(value("Scanner Min Length"), s.minLength, 1);
    return s;
}

} // namespace vanta::platform
