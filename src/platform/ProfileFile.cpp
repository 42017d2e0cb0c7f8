#include "platform/ProfileFile.h"

#include "diagnostics/VantaError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

namespace vanta::platform {

namespace {

const QString kSource = QStringLiteral("Vanta profile file");

// The file as lines without their line ends.
struct Lines {
    QStringList lines;
    QString eol = QStringLiteral("\n");
    bool bom = false; // the file starts with a byte order mark
};

Lines load(const QString &path)
{
    Lines out;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return out;
    QString text = QString::fromUtf8(f.readAll());
    if (text.startsWith(QChar(0xFEFF))) {
        out.bom = true;
        text.remove(0, 1);
    }
    if (text.contains(QLatin1String("\r\n")))
        out.eol = QStringLiteral("\r\n");
    out.lines = text.split(QLatin1Char('\n'));
    if (!out.lines.isEmpty() && out.lines.last().isEmpty())
        out.lines.removeLast(); // the file's final line end
    for (QString &l : out.lines)
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);
    return out;
}

// The section name of a header line ("[name]"); false for other lines.
bool sectionOf(const QString &line, QString &name)
{
    const QString t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')))
        return false;
    const qsizetype close = t.lastIndexOf(QLatin1Char(']'));
    name = (close > 0 ? t.mid(1, close - 1) : t.mid(1)).trimmed();
    return true;
}

// Splits "key = value"; false for blank lines, comments and lines without "=".
bool keyOf(const QString &line, QString &key, QString &value)
{
    const QString t = line.trimmed();
    if (t.isEmpty() || t.startsWith(QLatin1Char(';')))
        return false;
    const qsizetype eq = t.indexOf(QLatin1Char('='));
    if (eq < 0)
        return false;
    key = t.left(eq).trimmed();
    value = t.mid(eq + 1).trimmed();
    if (value.size() >= 2 && (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\''))
        && value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return true;
}

// Section and key names match without regard to case or blanks around them.
bool sameName(const QString &a, const QString &b)
{
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

// First line of the section's body and the line after it; begin < 0 when
// the section is missing.
void findSection(const QStringList &lines, const QString &section, qsizetype &begin, qsizetype &end)
{
    begin = -1;
    end = lines.size();
    QString name;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!sectionOf(lines[i], name))
            continue;
        if (begin >= 0) {
            end = i;
            return;
        }
        if (sameName(name, section))
            begin = i + 1;
    }
}

void requireSingleLine(const QString &text, const QString &what)
{
    if (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')))
        throw VantaError(5, QStringLiteral("A profile %1 cannot hold a line break").arg(what), kSource);
}

} // namespace

QString ProfileFile::readString(const QString &section, const QString &key, const QString &defaultValue,
                                int size) const
{
    const Lines file = load(mPath);
    qsizetype begin = 0;
    qsizetype end = 0;
    findSection(file.lines, section, begin, end);
    QString result = defaultValue;
    QString k;
    QString v;
    for (qsizetype i = begin; begin >= 0 && i < end; ++i) {
        if (keyOf(file.lines[i], k, v) && sameName(k, key)) {
            result = v;
            break;
        }
    }
    const qsizetype zero = result.indexOf(QChar(0));
    if (zero >= 0)
        result.truncate(zero);
    result.truncate(qMax(0, size - 1));
    return result;
}

void ProfileFile::writeString(const QString &section, const QString &key, const QString &value)
{
    requireSingleLine(section, QStringLiteral("section"));
    requireSingleLine(key, QStringLiteral("key"));
    requireSingleLine(value, QStringLiteral("value"));
    // A key line must read back as that key: not a section header, not a
    // comment, one '=' after the name.
    const QString name = key.trimmed();
    if (name.isEmpty() || name.contains(QLatin1Char('=')) || name.startsWith(QLatin1Char('['))
        || name.startsWith(QLatin1Char(';')))
        throw VantaError(5, QStringLiteral("Invalid profile key \"%1\"").arg(key), kSource);

    Lines file = load(mPath);
    qsizetype begin = 0;
    qsizetype end = 0;
    findSection(file.lines, section, begin, end);
    if (begin < 0) {
        file.lines << QLatin1Char('[') + section.trimmed() + QLatin1Char(']') << name + QLatin1Char('=') + value;
    } else {
        qsizetype lastContent = begin - 1; // the header
        bool replaced = false;
        QString k;
        QString v;
        for (qsizetype i = begin; i < end; ++i) {
            if (keyOf(file.lines[i], k, v) && sameName(k, key)) {
                file.lines[i] = k + QLatin1Char('=') + value;
                replaced = true;
                break;
            }
            if (!file.lines[i].trimmed().isEmpty())
                lastContent = i;
        }
        if (!replaced)
            file.lines.insert(lastContent + 1, name + QLatin1Char('=') + value);
    }

    const QString folder = QFileInfo(mPath).absolutePath();
    QSaveFile out(mPath);
    if (!QDir().mkpath(folder) || !out.open(QIODevice::WriteOnly))
        throw VantaError(75, QStringLiteral("Cannot write the profile file %1").arg(mPath), kSource);
    const QString text = (file.bom ? QString(QChar(0xFEFF)) : QString()) + file.lines.join(file.eol) + file.eol;
    out.write(text.toUtf8());
    if (!out.commit())
        throw VantaError(75, QStringLiteral("Cannot write the profile file %1").arg(mPath), kSource);
}

} // namespace vanta::platform
