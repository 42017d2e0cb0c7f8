#include "customers/InvoiceCustomer.h"

#include "db/Store.h"

namespace vanta::customers {

db::Recordset seekCustomer(db::Store &store, qint32 custId)
{
    db::Recordset rs = store.database().openTable(QStringLiteral("Customers"));
    rs.setIndex(QStringLiteral("Cust ID"));
    rs.seek(custId);
    return rs;
}

QString cityLine(db::Recordset &customer)
{
    return customer.text(QStringLiteral("City")) + QStringLiteral(", ") + customer.text(QStringLiteral("state"))
           + QLatin1Char(' ') + customer.text(QStringLiteral("Zip"));
}

QStringList invoiceAddressLines(db::Recordset &customer, const QString &linePrefix)
{
    QStringList lines;
    if (!customer.text(linePrefix + QLatin1Char('3')).isEmpty()) {
        for (int n = 1; n <= 5; ++n)
            lines << customer.text(linePrefix + QString::number(n));
        return lines;
    }
    lines << customer.text(QStringLiteral("Name")) << customer.text(QStringLiteral("Address")) << cityLine(customer)
          << QString() << QString();
    return lines;
}

} // namespace vanta::customers
