#pragma once

#include "db/Recordset.h"

#include <QString>
#include <QStringList>

namespace vanta::db {
class Store;
}

namespace vanta::customers {

// The customer's row of `Customers`, sought on index `Cust ID` on the
// register's open database; noMatch() tells when there is none.
db::Recordset seekCustomer(db::Store &store, qint32 custId);

// `City` + ", " + `state` + " " + `Zip` of the current customer row, each
// null column read as empty text.
QString cityLine(db::Recordset &customer);

// The five address lines an invoice starts with for the current customer
// row. `linePrefix` names the stored lines ("billing address line " or
// "Shipping address Line "): when the stored line 3 is not empty the five
// stored lines are used as they are; otherwise the lines are the name, the
// address and the city line, followed by two empty lines.
QStringList invoiceAddressLines(db::Recordset &customer, const QString &linePrefix);

} // namespace vanta::customers
