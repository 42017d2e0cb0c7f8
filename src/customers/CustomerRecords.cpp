#include "customers/CustomerRecords.h"

#include "customers/CustomerCredit.h"
#include "db/Store.h"
#include "db/UniqueId.h"
#include "platform/Currency.h"

namespace vanta::customers {

std::vector<CustomerRow> loadCustomerRows(db::Store &store)
{
    db::Recordset rs = store.database().openQuery(QStringLiteral(
        "SELECT \"Cust ID\", Name, balance, \"credit limit\" FROM Customers ORDER BY Name"));
    std::vector<CustomerRow> rows;
    for (; !rs.eof(); rs.moveNext()) {
        const QVariant balance = rs.field(2);
        const QVariant limit = rs.field(3);
        rows.push_back({db::asLong(rs.field(0)), rs.field(1).toString(), toCents(db::asSingle(balance)),
                        shownAvailableCreditCents(limit, balance)});
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
