#include "posting/ReportLayout.h"

#include "diagnostics/VantaError.h"
#include "posting/DocumentFormat.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace vanta::posting {

namespace {

const QLatin1String kHeadStart("<!--vanta-layout");
const QLatin1String kListSection("Lines");

struct Token {
    enum Kind { Text, Field, Open, Close } kind = Text;
    QChar sigil;  // '#', '?' or '^' for Open
    QString text; // text, or a name
};

bool validName(const QString &name)
{
    static const QRegularExpression re(QStringLiteral("^[A-Za-z][A-Za-z0-9_.]*$"));
    return re.match(name).hasMatch();
}

QPageSize pageSizeNamed(const QString &name, bool *ok)
{
    static const QHash<QString, QPageSize::PageSizeId> sizes{
        {QStringLiteral("letter"), QPageSize::Letter}, {QStringLiteral("legal"), QPageSize::Legal},
        {QStringLiteral("a4"), QPageSize::A4}, {QStringLiteral("a5"), QPageSize::A5}};
    const auto it = sizes.find(name.toLower());
    *ok = it != sizes.end();
    return QPageSize(*ok ? it.value() : QPageSize::Letter);
}

} // namespace

ReportLayout ReportLayout::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw VantaError(53, QStringLiteral("The report layout %1 cannot be opened: %2").arg(path, file.errorString()),
                         QStringLiteral("Vanta reports"));
    return parse(QString::fromUtf8(file.readAll()), QFileInfo(path).fileName());
}

ReportLayout ReportLayout::parse(const QString &text, const QString &name)
{
    ReportLayout layout;
    layout.mName = name;
    layout.mTitle = QFileInfo(name).completeBaseName();
    QString body = text;
    const qsizetype start = text.indexOf(QLatin1String("<!--"));
    if (start >= 0 && text.left(start).trimmed().isEmpty() && text.mid(start).startsWith(kHeadStart)) {
        const qsizetype end = text.indexOf(QLatin1String("-->"), start);
        if (end < 0)
            layout.fail(QStringLiteral("the layout head is not closed with -->"));
        layout.parseHead(text.mid(start + kHeadStart.size(), end - start - kHeadStart.size()));
        body = text.mid(end + 3);
    }
    layout.parseBody(body);
    return layout;
}

void ReportLayout::fail(const QString &what) const
{
    throw VantaError(5, QStringLiteral("The report layout %1 cannot be used: %2.").arg(mName, what),
                     QStringLiteral("Vanta reports"));
}

void ReportLayout::parseHead(const QString &head)
{
    for (const QString &raw : head.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.isEmpty())
            continue;
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon <= 0)
            fail(QStringLiteral("\"%1\" in the head is not \"key: value\"").arg(line));
        const QString key = line.left(colon).trimmed().toLower();
        const QString value = line.mid(colon + 1).trimmed();
        if (key == QLatin1String("title")) {
            mTitle = value;
        } else if (key == QLatin1String("page")) {
            bool ok = false;
            mPage.size = pageSizeNamed(value, &ok);
            if (!ok)
                fail(QStringLiteral("unknown page size \"%1\"").arg(value));
        } else if (key == QLatin1String("orientation")) {
            if (value.compare(QLatin1String("portrait"), Qt::CaseInsensitive) == 0)
                mPage.orientation = QPageLayout::Portrait;
            else if (value.compare(QLatin1String("landscape"), Qt::CaseInsensitive) == 0)
                mPage.orientation = QPageLayout::Landscape;
            else
                fail(QStringLiteral("unknown orientation \"%1\"").arg(value));
        } else if (key == QLatin1String("margins")) {
            QList<double> mm;
            for (const QString &part : value.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
                bool ok = false;
                const double v = part.toDouble(&ok);
                if (!ok || v < 0 || v > 100)
                    fail(QStringLiteral("margins \"%1\" are not millimetres").arg(value));
                mm << v;
            }
            if (mm.size() == 1)
                mPage.marginsMm = QMarginsF(mm[0], mm[0], mm[0], mm[0]);
            else if (mm.size() == 4) // top right bottom left
                mPage.marginsMm = QMarginsF(mm[3], mm[0], mm[1], mm[2]);
            else
                fail(QStringLiteral("margins take one value or four"));
        } else {
            fail(QStringLiteral("unknown head key \"%1\"").arg(key));
        }
    }
}

void ReportLayout::parseBody(const QString &body)
{
    std::vector<Token> tokens;
    qsizetype pos = 0;
    while (pos < body.size()) {
        const qsizetype open = body.indexOf(QLatin1String("{{"), pos);
        if (open < 0) {
            tokens.push_back({Token::Text, {}, body.mid(pos)});
            break;
        }
        if (open > pos)
            tokens.push_back({Token::Text, {}, body.mid(pos, open - pos)});
        const qsizetype close = body.indexOf(QLatin1String("}}"), open + 2);
        if (close < 0)
            fail(QStringLiteral("a {{ is not closed with }}"));
        QString inner = body.mid(open + 2, close - open - 2).trimmed();
        Token t;
        const QChar sigil = inner.isEmpty() ? QChar() : inner[0];
        if (sigil == QLatin1Char('#') || sigil == QLatin1Char('?') || sigil == QLatin1Char('^')) {
            t = {Token::Open, sigil, inner.mid(1).trimmed()};
        } else if (sigil == QLatin1Char('/')) {
            t = {Token::Close, {}, inner.mid(1).trimmed()};
        } else {
            t = {Token::Field, {}, inner};
        }
        if (!validName(t.text))
            fail(QStringLiteral("\"{{%1}}\" is not a field or section").arg(inner));
        if (t.kind == Token::Open && sigil == QLatin1Char('#') && t.text != kListSection)
            fail(QStringLiteral("\"%1\" is not a list; only {{#%2}} repeats").arg(t.text, kListSection));
        tokens.push_back(t);
        pos = close + 2;
    }

    // Nest the sections: each open token takes the nodes up to its close.
    struct Frame {
        Node node;
        QString name;
    };
    std::vector<Frame> stack(1);
    for (const Token &t : tokens) {
        switch (t.kind) {
        case Token::Text:
            stack.back().node.children.push_back({Node::Text, t.text, {}});
            break;
        case Token::Field:
            stack.back().node.children.push_back({Node::Field, t.text, {}});
            break;
        case Token::Open: {
            const Node::Kind kind = t.sigil == QLatin1Char('#') ? Node::Lines
                                    : t.sigil == QLatin1Char('?') ? Node::IfSet
                                                                  : Node::IfEmpty;
            if (kind == Node::Lines)
                for (const Frame &f : stack)
                    if (f.node.kind == Node::Lines)
                        fail(QStringLiteral("{{#%1}} is inside itself").arg(t.text));
            stack.push_back({Node{kind, t.text, {}}, t.text});
            break;
        }
        case Token::Close:
            if (stack.size() == 1 || stack.back().name != t.text)
                fail(QStringLiteral("{{/%1}} closes no open section").arg(t.text));
            Node done = std::move(stack.back().node);
            stack.pop_back();
            stack.back().node.children.push_back(std::move(done));
            break;
        }
    }
    if (stack.size() != 1)
        fail(QStringLiteral("the section {{%1}} is not closed").arg(stack.back().name));
    mNodes = std::move(stack.front().node.children);
}

void ReportLayout::check(const std::vector<Node> &nodes, const ReportData &data, bool inLines) const
{
    for (const Node &n : nodes) {
        if (n.kind == Node::Text || n.kind == Node::Lines) {
            check(n.children, data, inLines || n.kind == Node::Lines);
            continue;
        }
        if (!data.fields.contains(n.text) && !(inLines && data.lineFields.contains(n.text)))
            fail(QStringLiteral("there is no field \"%1\"%2")
                     .arg(n.text, data.lineFields.contains(n.text) ? QStringLiteral(" outside {{#Lines}}")
                                                                   : QString()));
        check(n.children, data, inLines);
    }
}

void ReportLayout::render(const std::vector<Node> &nodes, const ReportData &data,
                          const QHash<QString, QString> *line, QString &out) const
{
    auto value = [&](const QString &name) {
        if (line) {
            const auto it = line->find(name);
            if (it != line->end())
                return it.value();
        }
        return data.fields.value(name);
    };
    for (const Node &n : nodes) {
        switch (n.kind) {
        case Node::Text:
            out += n.text;
            break;
        case Node::Field:
            out += htmlText(value(n.text));
            break;
        case Node::Lines:
            for (const QHash<QString, QString> &row : data.lines)
                render(n.children, data, &row, out);
            break;
        case Node::IfSet:
        case Node::IfEmpty:
            if (value(n.text).trimmed().isEmpty() == (n.kind == Node::IfEmpty))
                render(n.children, data, line, out);
            break;
        }
    }
}

QString ReportLayout::fill(const ReportData &data) const
{
    check(mNodes, data, false);
    QString out;
    render(mNodes, data, nullptr, out);
    return out;
}

} // namespace vanta::posting
