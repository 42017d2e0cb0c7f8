// The profile file (Users.ini): any text editor can leave anything in it.
// The input is a section, a key and a value on the first three lines, then
// the file's text.
#include "FuzzInput.h"
#include "diagnostics/VantaError.h"
#include "platform/ProfileFile.h"

#include <QFile>
#include <QTemporaryDir>

using namespace vanta;

namespace {

// Blanks around names and values: white space and byte order marks.
bool isBlank(QChar c) { return c.isSpace() || c == QChar(0xFEFF); }

QString withoutBlanks(QString text)
{
    while (!text.isEmpty() && isBlank(text.front()))
        text.remove(0, 1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

bool sameName(const QString &a, const QString &b)
{
    return withoutBlanks(a).compare(withoutBlanks(b), Qt::CaseInsensitive) == 0;
}

// A value that the file keeps exactly as written: no blanks around it, not
// enclosed in quotes (profile strings drop both when read) and no zero
// character (profile strings end there).
bool keptExactly(const QString &value)
{
    const bool quoted = value.size() >= 2 && (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\''))
                        && value.back() == value.front();
    return value == withoutBlanks(value) && !quoted && !value.contains(QChar(0));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QList<QByteArray> parts = bytes.split('\n');
    while (parts.size() < 4)
        parts << QByteArray();
    const QString section = QString::fromUtf8(parts[0]);
    const QString key = QString::fromUtf8(parts[1]);
    const QString value = QString::fromUtf8(parts[2]);
    const QByteArray content = bytes.mid(parts[0].size() + parts[1].size() + parts[2].size() + 3);
    const QString input = QString::fromUtf8(bytes);

    const QString path = dir.filePath(QStringLiteral("Users.ini"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size())
        std::abort();
    file.close();

    platform::ProfileFile profile(path);
    fuzz::require(profile.readString(section, key, QString(), 8).size() <= 7, "a value fits its buffer", input);
    const QString probeSection = QStringLiteral("Report");
    const QString probeKey = QStringLiteral("Dest");
    const QString probe = profile.readString(probeSection, probeKey, QStringLiteral("-"), 4096);
    try {
        profile.writeString(section, key, value);
    } catch (const VantaError &) {
        return 0; // refused: a name or value the file cannot hold
    }
    if (keptExactly(value) && value.size() < 4095)
        fuzz::require(profile.readString(section, key, QStringLiteral("-"), 4096) == value,
                      "a written value reads back", input);
    if (!(sameName(section, probeSection) && sameName(key, probeKey)))
        fuzz::require(profile.readString(probeSection, probeKey, QStringLiteral("-"), 4096) == probe,
                      "writing a key leaves the others as they were", input);
    return 0;
}
