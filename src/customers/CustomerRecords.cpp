#include "customers/CustomerRecords.h"

#include "customers/CustomerCredit.h"
#include "db/Store.h"
#include "db/UniqueId.h"
#include "platform/Currency.h"

#include <QHash>

namespace vanta::customers {

std::vector<qint32> customerIdsByName(db::Store &store)
{
    db::StatementLease st = store.database().connection().prepare(
        QStringLiteral("SELECT \"Cust ID\" FROM Customers ORDER BY Name, \"Cust ID\""));
    st->bind({});
    std::vector<qint32> ids;
    while (st->step())
        ids.push_back(qint32(st->real(0)));
    return ids;
}

std::vector<CustomerRow> customerRows(db::Store &store, const std::vector<qint32> &ids)
{
    std::vector<CustomerRow> rows(ids.size());
    if (ids.empty())
        return rows;
    QHash<qint32, size_t> at;
    QVariantList params;
    for (size_t i = 0; i < ids.size(); ++i) {
        rows[i].id = ids[i];
        at.insert(ids[i], i);
        params << ids[i];
    }
    QString marks = QStringLiteral("?");
    marks += QStringLiteral(", ?").repeated(qsizetype(ids.size()) - 1);
    db::Recordset rs = store.database().openQuery(
        QStringLiteral("SELECT \"Cust ID\", Name, balance, \"credit limit\" FROM Customers WHERE \"Cust ID\" IN (%1)")
            .arg(marks),
        params);
    for (; !rs.eof(); rs.moveNext()) {
        const auto found = at.constFind(db::asLong(rs.field(0)));
        if (found == at.constEnd())
            continue;
        const QVariant balance = rs.field(2);
        CustomerRow &row = rows[*found];
        row.name = rs.field(1).toString();
        row.balanceCents = toCents(db::asSingle(balance));
        row.availableCents = shownAvailableCreditCents(rs.field(3), balance);
    }
    return rows;
}

qint32 addCustomer(db::Store &store, const QString &name)
{
    const qint32 id = db::NewUniqueID(store);
    db::Connection &conn = store.database().connection();
    db::Transaction tx(conn);
    // Active (the register lists only active customers), taxable until the
    // cashier says otherwise, owing nothing.
    conn.execute(QStringLiteral("INSERT INTO Customers (\"Cust ID\", Name, Inactive, Taxable, balance) "
                                "VALUES (?, ?, 0, 1, 0)"),
                 {id, name.left(MaxNewCustomerName)});
    tx.commit();
    return id;
}

RemoveResult removeCustomer(db::Store &store, qint32 custId)
{
    db::Connection &conn = store.database().connection();
    db::Transaction tx(conn);
    const QVariant sale =
        conn.scalar(QStringLiteral("SELECT 1 FROM Sales WHERE \"cust id\" = ? LIMIT 1"), {custId});
    if (!sale.isNull())
        return RemoveResult::HasSales; // rolled back: nothing changed
    const int removed = conn.execute(QStringLiteral("DELETE FROM Customers WHERE \"Cust ID\" = ?"), {custId});
    tx.commit();
    return removed > 0 ? RemoveResult::Removed : RemoveResult::NotFound;
}

} // namespace vanta::customers
