#include "register/RegisterLists.h"

#include "db/Store.h"

namespace vanta {

namespace {
const QString kEntrySql = QStringLiteral("SELECT Customers.Name, Customers.\"Cust ID\", Customers.Phone FROM Customers "
                                         "WHERE Customers.Inactive = 0 ");

QList<CustomerListModel::Entry> readEntries(db::Connection &conn, const QString &sql, const QVariantList &params)
{
    db::StatementLease st = conn.prepare(sql);
    st->bind(params);
    QList<CustomerListModel::Entry> entries;
    while (st->step()) {
        const std::string_view name = st->utf8(0), phone = st->utf8(2);
        entries.append({QString::fromUtf8(name.data(), qsizetype(name.size())) + QStringLiteral(" - ")
                            + QString::fromUtf8(phone.data(), qsizetype(phone.size())),
                        qint32(st->real(1))});
    }
    return entries;
}
} // namespace

CustomerList ReadCustomerList(db::Connection &conn, const QString &name)
{
    CustomerList list{readEntries(conn, kEntrySql + QStringLiteral("ORDER BY Customers.Name"), {})};
    for (int i = int(list.entries.size()) - 1; i >= 0 && list.match < 0; --i)
        if (list.entries[i].text.contains(name, Qt::CaseInsensitive))
            list.match = i;
    return list;
}

int CountActiveCustomers(db::Connection &conn, int limit)
{
    return conn
        .scalar(QStringLiteral("SELECT count(*) FROM (SELECT 1 FROM Customers WHERE Inactive = 0 LIMIT ?) AS c"),
                {limit + 1})
        .toInt();
}

QList<CustomerListModel::Entry> ReadCustomersNamed(db::Connection &conn, const QString &name)
{
    return readEntries(conn, kEntrySql + QStringLiteral("AND Customers.Name = ? ORDER BY Customers.\"Cust ID\""),
                       {name});
}

std::optional<CustomerListModel::Entry> ReadCustomerEntry(db::Connection &conn, qint32 custId)
{
    const QList<CustomerListModel::Entry> found =
        readEntries(conn, kEntrySql + QStringLiteral("AND Customers.\"Cust ID\" = ?"), {custId});
    return found.isEmpty() ? std::nullopt : std::optional(found.first());
}

QList<sale::PayType> ReadPayTypes(db::Store &store)
{
    db::Recordset rs = store.database().openTable(QStringLiteral("PayTypes"));
    QList<sale::PayType> payTypes;
    for (; !rs.eof(); rs.moveNext()) {
        const QString name = rs.text(QStringLiteral("paytype"));
        if (name.compare(QLatin1String("Internet Sale"), Qt::CaseInsensitive) == 0)
            continue;
        payTypes.append({db::asLong(rs.field(QStringLiteral("id"))), name, sale::PayType::kindOfName(name)});
    }
    return payTypes;
}

} // namespace vanta
