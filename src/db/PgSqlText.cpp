#include "db/PgSqlText.h"

#include "db/Connection.h"

#include <QSet>
#include <vector>

namespace vanta::db {

void NameCatalogue::addColumn(const QString &table, const QString &column)
{
    tables.insert(table.toLower(), table);
    columns[table].insert(column.toLower(), column);
    QStringList &spellings = anyColumn[column.toLower()];
    if (!spellings.contains(column))
        spellings << column;
}

namespace {

enum class Kind { Word, Quoted, String, Placeholder, Punct, Space };

struct Token {
    Kind kind;
    QString text; // a quoted identifier without its quotes
};

std::vector<Token> tokenize(const QString &sql)
{
    std::vector<Token> out;
    const int n = int(sql.size());
    int i = 0;
    while (i < n) {
        const QChar c = sql[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            // A literal or quoted identifier; a doubled quote stands for one.
            QString body;
            int j = i + 1;
            for (; j < n; ++j) {
                if (sql[j] == c) {
                    if (j + 1 < n && sql[j + 1] == c) {
                        body += c;
                        ++j;
                        continue;
                    }
                    break;
                }
                body += sql[j];
            }
            out.push_back({c == QLatin1Char('"') ? Kind::Quoted : Kind::String,
                           c == QLatin1Char('"') ? body : sql.mid(i, j + 1 - i)});
            i = j + 1;
        } else if (c == QLatin1Char('[')) {
            // [Name] as the file store also reads it: a quoted identifier.
            const int close = int(sql.indexOf(QLatin1Char(']'), i + 1));
            const int end = close < 0 ? n : close;
            out.push_back({Kind::Quoted, sql.mid(i + 1, end - i - 1)});
            i = end + 1;
        } else if (c.isLetter() || c == QLatin1Char('_')) {
            int j = i + 1;
            while (j < n && (sql[j].isLetterOrNumber() || sql[j] == QLatin1Char('_') || sql[j] == QLatin1Char('$')))
                ++j;
            out.push_back({Kind::Word, sql.mid(i, j - i)});
            i = j;
        } else if (c.isSpace()) {
            int j = i + 1;
            while (j < n && sql[j].isSpace())
                ++j;
            out.push_back({Kind::Space, sql.mid(i, j - i)});
            i = j;
        } else if (c == QLatin1Char('?')) {
            out.push_back({Kind::Placeholder, QString(c)});
            ++i;
        } else {
            out.push_back({Kind::Punct, QString(c)});
            ++i;
        }
    }
    return out;
}

const QSet<QString> &keywords()
{
    static const QSet<QString> words = [] {
        QSet<QString> s;
        for (const char *w : {"SELECT", "FROM", "WHERE", "AND", "OR", "NOT", "NULL", "IS", "IN", "AS", "ON", "BY",
                              "ORDER", "GROUP", "ASC", "DESC", "LIMIT", "OFFSET", "INSERT", "INTO", "VALUES",
                              "UPDATE", "SET", "DELETE", "JOIN", "LEFT", "RIGHT", "INNER", "OUTER", "CROSS", "CASE",
                              "WHEN", "THEN", "ELSE", "END", "EXISTS", "DISTINCT", "COLLATE", "NOCASE", "ESCAPE",
                              "LIKE", "ILIKE", "BETWEEN", "HAVING", "UNION", "ALL", "DEFAULT", "CREATE", "TABLE",
                              "INDEX", "UNIQUE", "IF", "PRIMARY", "KEY", "CONFLICT", "DO", "NOTHING", "BEGIN",
                              "COMMIT", "ROLLBACK", "TRUE", "FALSE", "CAST", "USING", "RETURNING", "WITH"})
            s.insert(QString::fromLatin1(w));
        return s;
    }();
    return words;
}

bool isKeyword(const Token &t) { return t.kind == Kind::Word && keywords().contains(t.text.toUpper()); }

bool isName(const Token &t) { return t.kind == Kind::Quoted || (t.kind == Kind::Word && !isKeyword(t)); }

// Index of the next token that is not white space, or the end.
size_t nextSolid(const std::vector<Token> &t, size_t i)
{
    while (i < t.size() && t[i].kind == Kind::Space)
        ++i;
    return i;
}

bool isPunct(const std::vector<Token> &t, size_t i, char c)
{
    return i < t.size() && t[i].kind == Kind::Punct && t[i].text == QLatin1Char(c);
}

class Rewriter {
public:
    Rewriter(const std::vector<Token> &tokens, const NameCatalogue &names) : mT(tokens), mNames(names)
    {
        findTables();
    }

    // The file store sorts nulls below every value, the server above: each
    // ORDER BY term says where they go (the row number is never null).
    struct OrderClause {
        int depth;
        bool descending = false;
        bool rowNumber = false;
    };

    static void endTerm(QString &out, std::vector<OrderClause> &orders)
    {
        OrderClause &o = orders.back();
        if (!o.rowNumber) {
            const QString nulls = o.descending ? QStringLiteral("NULLS LAST") : QStringLiteral("NULLS FIRST");
            out += out.endsWith(QLatin1Char(' ')) ? nulls + QLatin1Char(' ') : QLatin1Char(' ') + nulls;
        }
        o.descending = false;
        o.rowNumber = false;
    }

    QString run(int *parameters)
    {
        QString out;
        int placeholder = 0;
        int depth = 0;
        std::vector<OrderClause> orders;
        for (size_t i = 0; i < mT.size(); ++i) {
            const Token &t = mT[i];
            const bool inOrder = !orders.empty() && orders.back().depth == depth;
            if (t.kind == Kind::Punct && t.text == QLatin1String("(")) {
                ++depth;
            } else if (t.kind == Kind::Punct && t.text == QLatin1String(")")) {
                if (inOrder) {
                    endTerm(out, orders);
                    orders.pop_back();
                }
                --depth;
            } else if (inOrder && t.kind == Kind::Punct && t.text == QLatin1String(",")) {
                endTerm(out, orders);
            } else if (t.kind == Kind::Word) {
                const QString w = t.text.toUpper();
                if (inOrder && (w == QLatin1String("LIMIT") || w == QLatin1String("OFFSET")
                                || w == QLatin1String("UNION"))) {
                    endTerm(out, orders);
                    orders.pop_back();
                } else if (inOrder && w == QLatin1String("DESC")) {
                    orders.back().descending = true;
                } else if (inOrder && w == QLatin1String("ROWID")) {
                    orders.back().rowNumber = true;
                } else if (w == QLatin1String("BY") && i >= 2 && mT[nextSolidBack(i)].kind == Kind::Word
                           && mT[nextSolidBack(i)].text.toUpper() == QLatin1String("ORDER")) {
                    out += t.text;
                    orders.push_back({depth});
                    continue;
                }
            }
            switch (t.kind) {
            case Kind::Placeholder:
                out += QLatin1Char('$') + QString::number(++placeholder);
                break;
            case Kind::String: case Kind::Punct: case Kind::Space:
                out += t.text;
                break;
            case Kind::Word: case Kind::Quoted:
                out += name(i);
                break;
            }
        }
        while (!orders.empty()) {
            endTerm(out, orders);
            orders.pop_back();
        }
        if (parameters)
            *parameters = placeholder;
        return out;
    }

    // Index of the token before i that is not white space (0 when none).
    size_t nextSolidBack(size_t i) const
    {
        while (i > 0) {
            --i;
            if (mT[i].kind != Kind::Space)
                return i;
        }
        return 0;
    }

private:
    // Tables named after FROM, JOIN, INTO, UPDATE and TABLE, with their aliases.
    void findTables()
    {
        for (size_t i = 0; i < mT.size(); ++i) {
            if (mT[i].kind != Kind::Word)
                continue;
            const QString w = mT[i].text.toUpper();
            if (w != QLatin1String("FROM") && w != QLatin1String("JOIN") && w != QLatin1String("INTO")
                && w != QLatin1String("UPDATE") && w != QLatin1String("TABLE"))
                continue;
            size_t j = nextSolid(mT, i + 1);
            while (j < mT.size() && isName(mT[j])) {
                const QString table = mNames.tables.value(mT[j].text.toLower());
                if (table.isEmpty())
                    break;
                mTablePositions.insert(j);
                mContext << table;
                size_t k = nextSolid(mT, j + 1);
                if (k < mT.size() && mT[k].kind == Kind::Word && mT[k].text.toUpper() == QLatin1String("AS"))
                    k = nextSolid(mT, k + 1);
                if (k < mT.size() && isName(mT[k]) && !isPunct(mT, nextSolid(mT, k + 1), '(')) {
                    mAliases.insert(mT[k].text.toLower(), table);
                    mAliasPositions.insert(k);
                    k = nextSolid(mT, k + 1);
                }
                if (!isPunct(mT, k, ','))
                    break;
                j = nextSolid(mT, k + 1);
            }
        }
    }

    static QString quoted(const QString &exact) { return quoteIdentifier(exact); }

    QString asWritten(size_t i) const
    {
        return mT[i].kind == Kind::Quoted ? quoted(mT[i].text) : mT[i].text;
    }

    // The exact spelling of a column among these tables: the one written
    // when it is among them, else the first; empty when none has it.
    QString columnIn(const QStringList &tables, const QString &written) const
    {
        QString first;
        for (const QString &table : tables) {
            const QString exact = mNames.columns.value(table).value(written.toLower());
            if (exact == written)
                return exact;
            if (first.isEmpty())
                first = exact;
        }
        return first;
    }

    QString name(size_t i) const
    {
        const Token &t = mT[i];
        if (t.kind == Kind::Word && isKeyword(t))
            return t.text.toUpper() == QLatin1String("LIKE") ? QStringLiteral("ILIKE") : t.text;
        if (mTablePositions.contains(i))
            return quoted(mNames.tables.value(t.text.toLower()));
        if (mAliasPositions.contains(i))
            return asWritten(i);
        const size_t after = nextSolid(mT, i + 1);
        if (t.kind == Kind::Word && isPunct(mT, after, '('))
            return t.text; // a function
        const QString lower = t.text.toLower();
        if (isPunct(mT, after, '.')) {
            // A qualifier: an alias stays, a table takes its exact name.
            if (mAliases.contains(lower))
                return asWritten(i);
            const QString table = mNames.tables.value(lower);
            return table.isEmpty() ? asWritten(i) : quoted(table);
        }
        if (i > 0 && isPunct(mT, i - 1, '.') && i > 1) {
            const QString qualifier = mT[i - 2].text.toLower();
            QString table = mAliases.value(qualifier);
            if (table.isEmpty())
                table = mNames.tables.value(qualifier);
            const QString exact = columnIn({table}, t.text);
            return exact.isEmpty() ? asWritten(i) : quoted(exact);
        }
        QString exact = columnIn(mContext, t.text);
        if (exact.isEmpty())
            exact = mNames.tables.value(lower);
        if (exact.isEmpty()) {
            const QStringList any = mNames.anyColumn.value(lower);
            exact = any.contains(t.text) ? t.text : any.value(0);
        }
        return exact.isEmpty() ? asWritten(i) : quoted(exact);
    }

    const std::vector<Token> &mT;
    const NameCatalogue &mNames;
    QStringList mContext;
    QHash<QString, QString> mAliases;
    QSet<size_t> mTablePositions;
    QSet<size_t> mAliasPositions;
};

} // namespace

QString serverSql(const QString &sql, const NameCatalogue &names, int *parameters)
{
    const std::vector<Token> tokens = tokenize(sql);
    // Definitions name what they create exactly as written.
    const size_t first = nextSolid(tokens, 0);
    if (first < tokens.size() && tokens[first].kind == Kind::Word) {
        const QString w = tokens[first].text.toUpper();
        if (w == QLatin1String("CREATE") || w == QLatin1String("ALTER") || w == QLatin1String("DROP"))
            return Rewriter(tokens, NameCatalogue()).run(parameters);
    }
    return Rewriter(tokens, names).run(parameters);
}

} // namespace vanta::db
