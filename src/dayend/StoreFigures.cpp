#include "dayend/StoreFigures.h"

#include "db/Store.h"
#include "platform/Currency.h"

#include <QLocale>
#include <QMap>

namespace vanta::dayend {

namespace {

qint64 centsOf(const QVariant &v) { return v.isNull() ? 0 : toCents(db::asDouble(v)); }

// Sales of the span, of one register's shifts when named; `%1` is where the
// query's own joins go.
struct Span {
    QString from, to; // ISO dates: from <= date of sale < to
    QString joins;
    QString where;
    QVariantList params;
};

Span spanOf(const StoreQuery &q)
{
    const QDate first = q.view == StoreView::ByHour ? q.day : QDate(q.day.year(), q.day.month(), 1);
    const QDate end = q.view == StoreView::ByHour ? q.day.addDays(1) : first.addMonths(1);
    Span s{first.toString(Qt::ISODate), end.toString(Qt::ISODate), {}, {}, {}};
    s.where = QStringLiteral("s.\"date of sale\" >= ? AND s.\"date of sale\" < ?");
    s.params = {s.from, s.to};
    if (!q.registerName.isEmpty()) {
        s.joins = QStringLiteral(" JOIN \"Shift Sales\" ss ON ss.\"sales id\" = s.\"Sales ID\" "
                                 "JOIN Shifts sh ON sh.\"Shift ID\" = ss.\"Shift ID\"");
        s.where += QStringLiteral(" AND sh.Register = ?");
        s.params << q.registerName;
    }
    return s;
}

// Rows of (key, amount): one tally per key.
template <typename Key>
void tallyRows(db::Recordset rs, Key key)
{
    for (; !rs.eof(); rs.moveNext()) {
        Tally *t = key(rs.field(0));
        if (!t)
            continue;
        ++t->count;
        t->cents += centsOf(rs.field(1));
    }
}

std::vector<Tally> byTime(db::Store &store, const StoreQuery &q)
{
    const Span s = spanOf(q);
    std::vector<Tally> out;
    const bool hours = q.view == StoreView::ByHour;
    const int buckets = hours ? 24 : q.day.daysInMonth();
    for (int i = 0; i < buckets; ++i)
        out.push_back({hours ? QStringLiteral("%1:00").arg(i, 2, 10, QLatin1Char('0'))
                             : QLocale().toString(QDate(q.day.year(), q.day.month(), i + 1), QStringLiteral("MMM d")),
                       0, 0});
    // Hour "hh" at characters 12-13 of the ISO date, day "dd" at 9-10.
    tallyRows(store.database().openQuery(
                  QStringLiteral("SELECT substr(s.\"date of sale\", %1, 2), s.\"total of sale\" FROM Sales s%2 WHERE %3")
                      .arg(hours ? 12 : 9)
                      .arg(s.joins, s.where),
                  s.params),
              [&](const QVariant &v) -> Tally * {
                  bool ok = false;
                  const int slot = v.toString().toInt(&ok) - (hours ? 0 : 1);
                  return ok && slot >= 0 && slot < buckets ? &out[size_t(slot)] : nullptr;
              });
    return out;
}

std::vector<Tally> byName(db::Store &store, const StoreQuery &q)
{
    const Span s = spanOf(q);
    const QString sql =
        q.view == StoreView::ByPayType
            ? QStringLiteral("SELECT p.paytype, s.\"total of sale\" FROM Sales s%1 "
                             "LEFT JOIN PayTypes p ON p.id = s.paytype WHERE %2")
            : QStringLiteral("SELECT c.Category, coalesce(lp.subtotal, si.\"sold price\" * si.\"qty sold\") "
                             "FROM Sales s%1 JOIN \"Sold Items\" si ON si.\"sales id\" = s.\"Sales ID\" "
                             "LEFT JOIN \"Sold Line Paid\" lp ON lp.\"Sold ID\" = si.\"Sold ID\" "
                             "LEFT JOIN Items i ON i.\"Item Index\" = si.\"Item Index\" "
                             "LEFT JOIN Categories c ON c.id = i.category WHERE %2");
    QMap<QString, Tally> tallies;
    tallyRows(store.database().openQuery(sql.arg(s.joins, s.where), s.params), [&](const QVariant &v) {
        const QString name = v.isNull() || v.toString().isEmpty() ? QStringLiteral("(none)") : v.toString();
        Tally &t = tallies[name];
        t.name = name;
        return &t;
    });
    return {tallies.cbegin(), tallies.cend()};
}

} // namespace

std::vector<Tally> readStoreFigures(db::Store &store, const StoreQuery &query)
{
    return query.view == StoreView::ByHour || query.view == StoreView::ByDay ? byTime(store, query)
                                                                             : byName(store, query);
}

QStringList shiftRegisters(db::Store &store)
{
    QStringList names;
    db::Recordset rs = store.database().openQuery(QStringLiteral("SELECT DISTINCT Register FROM Shifts ORDER BY Register"));
    for (; !rs.eof(); rs.moveNext())
        names << rs.field(0).toString();
    return names;
}

QString tallyCsv(const QString &nameHeading, const std::vector<Tally> &tallies)
{
    const auto quoted = [](QString text) {
        if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')))
            return text;
        return QLatin1Char('"') + text.replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
    };
    QString csv = quoted(nameHeading) + QStringLiteral(",Sales,Amount\n");
    for (const Tally &t : tallies)
        csv += QStringLiteral("%1,%2,%3\n").arg(quoted(t.name)).arg(t.count).arg(QString::number(double(t.cents) / 100.0, 'f', 2));
    return csv;
}

} // namespace vanta::dayend
