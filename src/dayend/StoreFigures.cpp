#include "dayend/StoreFigures.h"

#include "dayend/Tallies.h"

#include "db/Store.h"
#include "platform/Currency.h"

#include <QHash>
#include <QLocale>

namespace vanta::dayend {

namespace {

// The sales of the query's day or month (of one register's shifts when it
// names one): the joins and the condition a query of Sales `s` adds.
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
    db::Recordset rs = store.database().openQuery(
        QStringLiteral("SELECT substr(s.\"date of sale\", %1, 2), s.\"total of sale\" FROM Sales s%2 WHERE %3")
            .arg(hours ? 12 : 9)
            .arg(s.joins, s.where),
        s.params);
    for (; !rs.eof(); rs.moveNext()) {
        bool ok = false;
        const int bucket = rs.field(0).toString().toInt(&ok) - (hours ? 0 : 1);
        if (!ok || bucket < 0 || bucket >= buckets)
            continue;
        ++out[size_t(bucket)].count;
        out[size_t(bucket)].cents += centsOf(rs.field(1));
    }
    return out;
}

const QString kNoName = QStringLiteral("(none)");

std::vector<Tally> byPayType(db::Store &store, const StoreQuery &q)
{
    const Span s = spanOf(q);
    Tallies tallies;
    db::Recordset rs = store.database().openQuery(QStringLiteral("SELECT p.paytype, s.\"total of sale\" FROM Sales s%1 "
                                                                 "LEFT JOIN PayTypes p ON p.id = s.paytype WHERE %2")
                                                      .arg(s.joins, s.where),
                                                  s.params);
    for (; !rs.eof(); rs.moveNext())
        tallies.add(rs.field(0).toString().isEmpty() ? kNoName : rs.field(0).toString(), centsOf(rs.field(1)));
    return tallies.list();
}

// The lines of the span by item first, then each item's category from a
// scan of item numbers and categories (which the store's index of the two
// answers without reading the items' rows): a month holds a line for most
// items, and looking each one up in the items' table is several times
// slower.
std::vector<Tally> byCategory(db::Store &store, const StoreQuery &q)
{
    const Span s = spanOf(q);
    struct Sold {
        int lines = 0;
        qint64 cents = 0;
    };
    QHash<qint32, Sold> byItem;
    db::Recordset lines = store.database().openQuery(
        QStringLiteral("SELECT si.\"Item Index\", coalesce(lp.subtotal, si.\"sold price\" * si.\"qty sold\") "
                       "FROM Sales s%1 JOIN \"Sold Items\" si ON si.\"sales id\" = s.\"Sales ID\" "
                       "LEFT JOIN \"Sold Line Paid\" lp ON lp.\"Sold ID\" = si.\"Sold ID\" WHERE %2")
            .arg(s.joins, s.where),
        s.params);
    for (; !lines.eof(); lines.moveNext()) {
        Sold &sold = byItem[db::asLong(lines.field(0))];
        ++sold.lines;
        sold.cents += centsOf(lines.field(1));
    }
    lines.close();
    if (byItem.isEmpty())
        return {};
    QHash<qint32, QString> names;
    for (db::Recordset rs = store.database().openQuery(QStringLiteral("SELECT id, Category FROM Categories"));
         !rs.eof(); rs.moveNext())
        names.insert(db::asLong(rs.field(0)), rs.field(1).toString());
    Tallies tallies;
    for (db::Recordset rs = store.database().openQuery(QStringLiteral("SELECT \"Item Index\", category FROM Items"));
         !rs.eof(); rs.moveNext()) {
        const auto it = byItem.constFind(db::asLong(rs.field(0)));
        if (it == byItem.constEnd())
            continue;
        const QString name = rs.field(1).isNull() ? QString() : names.value(db::asLong(rs.field(1)));
        tallies.add(name.isEmpty() ? kNoName : name, it->cents, it->lines);
        byItem.erase(it);
    }
    // Lines of items no longer in the store.
    for (const Sold &sold : std::as_const(byItem))
        tallies.add(kNoName, sold.cents, sold.lines);
    return tallies.list();
}

} // namespace

std::vector<Tally> readStoreFigures(db::Store &store, const StoreQuery &query)
{
    switch (query.view) {
    case StoreView::ByCategory: return byCategory(store, query);
    case StoreView::ByPayType: return byPayType(store, query);
    default: return byTime(store, query);
    }
}

QStringList shiftRegisters(db::Store &store)
{
    QStringList names;
    db::Recordset rs = store.database().openQuery(QStringLiteral("SELECT DISTINCT Register FROM Shifts ORDER BY Register"));
    for (; !rs.eof(); rs.moveNext())
        names << rs.field(0).toString();
    return names;
}

QString tallyCsv(const QString &nameHeading, const QString &countHeading, const std::vector<Tally> &tallies)
{
    const auto quoted = [](QString text) {
        if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')))
            return text;
        return QLatin1Char('"') + text.replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
    };
    QString csv = quoted(nameHeading) + QLatin1Char(',') + quoted(countHeading) + QStringLiteral(",Amount\n");
    for (const Tally &t : tallies)
        csv += QStringLiteral("%1,%2,%3\n").arg(quoted(t.name)).arg(t.count).arg(QString::number(double(t.cents) / 100.0, 'f', 2));
    return csv;
}

} // namespace vanta::dayend
