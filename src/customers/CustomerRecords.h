#pragma once

#include <QString>
#include <vector>

namespace vanta::db {
class Store;
}

namespace vanta::customers {

// One row of the customer list: the name, the balance owed and the credit
// left, in whole cents (the credit left is never below 0 here).
struct CustomerRow {
    qint32 id = 0;
    QString name;
    qint64 balanceCents = 0;
    qint64 availableCents = 0;
};

// The number of every customer, inactive ones too, ordered by name (then
// number), read from the index on both.
std::vector<qint32> customerIdsByName(db::Store &store);

// The rows of the customers with these numbers, in the order given; a
// number no longer on file gives a row with its number only.
std::vector<CustomerRow> customerRows(db::Store &store, const std::vector<qint32> &ids);

// The longest name a new customer gets; longer answers are cut.
constexpr int MaxNewCustomerName = 41;

// Adds an active, taxable customer with a new unique `Cust ID`, the name
// (cut to 41 characters) and a balance of 0; returns the new id.
qint32 addCustomer(db::Store &store, const QString &name);

enum class RemoveResult { Removed, HasSales, NotFound };

// Removes the customer unless sales refer to it. The check and the delete
// run in one write transaction, so no sale can be stored for the customer
// in between: a customer with sales is never removed.
RemoveResult removeCustomer(db::Store &store, qint32 custId);

} // namespace vanta::customers
