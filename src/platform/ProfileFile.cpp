#include "platform/ProfileFile.h"

#include "diagnostics/VantaError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringList>

namespace vanta::platform {

namespace {

const QString kSource = QStringLiteral("Vanta profile file");
constexpr char16_t kByteOrderMark = 0xFEFF;

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
    // Every character is kept, byte order marks too: the decoder would
    // otherwise drop a leading one unseen, and the file written back would
    // hold one mark fewer than it had.
    QStringDecoder decode(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    QString text = decode(f.readAll());
    if (text.startsWith(QChar(kByteOrderMark))) {
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

// Blanks around names, values and whole lines: white space and byte order
// marks (an editor may leave one at the start of any line).
bool isBlank(QChar c) { return c.isSpace() || c == QChar(kByteOrderMark); }

QString stripped(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

// What one line of the file is. The reader and the writer both go by this
// alone, so a line the writer makes reads back as what it wrote.
struct ProfileLine {
    enum Kind { Other, Section, Key } kind = Other; // Other: blank, comment or text without "="
    QString name;  // the section's or the key's name, without blanks around it
    QString value; // a key's value, without blanks or one pair of quotes around it
};

ProfileLine readLine(const QString &line)
{
    ProfileLine out;
    const QString t = stripped(line);
    if (t.startsWith(QLatin1Char('['))) {
        const qsizetype close = t.lastIndexOf(QLatin1Char(']'));
        out.kind = ProfileLine::Section;
        out.name = stripped(close > 0 ? t.mid(1, close - 1) : t.mid(1));
        return out;
    }
    const qsizetype eq = t.indexOf(QLatin1Char('='));
    if (t.startsWith(QLatin1Char(';')) || eq < 0)
        return out;
    out.kind = ProfileLine::Key;
    out.name = stripped(t.left(eq));
    out.value = stripped(t.mid(eq + 1));
    const QString &v = out.value;
    if (v.size() >= 2 && (v.front() == QLatin1Char('"') || v.front() == QLatin1Char('\'')) && v.back() == v.front())
        out.value = v.mid(1, v.size() - 2);
    return out;
}

// Section and key names match without regard to case or blanks around them.
bool sameName(const QString &a, const QString &b)
{
    return stripped(a).compare(stripped(b), Qt::CaseInsensitive) == 0;
}

// First line of the section's body and the line after it; begin < 0 when
// the section is missing.
void findSection(const QStringList &lines, const QString &section, qsizetype &begin, qsizetype &end)
{
    begin = -1;
    end = lines.size();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const ProfileLine l = readLine(lines[i]);
        if (l.kind != ProfileLine::Section)
            continue;
        if (begin >= 0) {
            end = i;
            return;
        }
        if (sameName(l.name, section))
            begin = i + 1;
    }
}

// The line of the key in the section's body [begin, end); -1 when missing.
qsizetype findKey(const QStringList &lines, qsizetype begin, qsizetype end, const QString &key)
{
    for (qsizetype i = begin; begin >= 0 && i < end; ++i) {
        const ProfileLine l = readLine(lines[i]);
        if (l.kind == ProfileLine::Key && sameName(l.name, key))
            return i;
    }
    return -1;
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
    const qsizetype at = findKey(file.lines, begin, end, key);
    QString result = at >= 0 ? readLine(file.lines[at]).value : defaultValue;
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
    // A new key line must read back as the key written.
    const QString name = stripped(key);
    const QString keyLine = name + QLatin1Char('=') + value;
    const ProfileLine asRead = readLine(keyLine);
    if (name.isEmpty() || asRead.kind != ProfileLine::Key || asRead.name != name)
        throw VantaError(5, QStringLiteral("Invalid profile key \"%1\"").arg(key), kSource);
    // A header reads back as its section whatever the name holds: the name
    // runs to the last ']'.
    const QString header = QLatin1Char('[') + stripped(section) + QLatin1Char(']');

    Lines file = load(mPath);
    qsizetype begin = 0;
    qsizetype end = 0;
    findSection(file.lines, section, begin, end);
    if (begin < 0) {
        file.lines << header << keyLine;
    } else if (const qsizetype at = findKey(file.lines, begin, end, key); at >= 0) {
        file.lines[at] = readLine(file.lines[at]).name + QLatin1Char('=') + value;
    } else {
        qsizetype lastContent = begin - 1; // the header
        for (qsizetype i = begin; i < end; ++i)
            if (!stripped(file.lines[i]).isEmpty())
                lastContent = i;
        file.lines.insert(lastContent + 1, keyLine);
    }

    const QString folder = QFileInfo(mPath).absolutePath();
    QSaveFile out(mPath);
    if (!QDir().mkpath(folder) || !out.open(QIODevice::WriteOnly))
        throw VantaError(75, QStringLiteral("Cannot write the profile file %1").arg(mPath), kSource);
    const QString text =
        (file.bom ? QString(QChar(kByteOrderMark)) : QString()) + file.lines.join(file.eol) + file.eol;
    out.write(text.toUtf8());
    if (!out.commit())
        throw VantaError(75, QStringLiteral("Cannot write the profile file %1").arg(mPath), kSource);
}

} // namespace vanta::platform
