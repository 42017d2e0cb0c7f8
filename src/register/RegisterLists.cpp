#include "register/RegisterLists.h"

#include "db/Store.h"

namespace vanta {

CustomerList ReadCustomerList(db::Store &store, const QString &name)
{
    db::Recordset rs = store.database().openQuery(
        QStringLiteral("SELECT Customers.Name, Customers.\"Cust ID\", Customers.Inactive, customers.phone "
                       "FROM Customers WHERE Customers.Inactive = 0 "
                       "ORDER BY Customers.Name"));
    CustomerList list;
    for (; !rs.eof(); rs.moveNext()) {
        CustomerListModel::Entry e{rs.text(QStringLiteral("Name")) + QStringLiteral(" - ")
                                       + rs.text(QStringLiteral("Phone")),
                                   db::asLong(rs.field(1))};
        if (e.text.contains(name, Qt::CaseInsensitive))
            list.match = int(list.entries.size());
        list.entries << e;
    }
    return list;
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
