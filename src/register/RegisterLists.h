#pragma once

#include "register/CustomerListModel.h"
#include "sale/Sale.h"

#include <QList>
#include <optional>

namespace vanta::db {
class Connection;
class Store;
} // namespace vanta::db

namespace vanta {

// The active customers as the register lists them ("Name - Phone", by
// name), and the last entry whose text holds `name` (-1: none).
struct CustomerList {
    QList<CustomerListModel::Entry> entries;
    int match = -1;
};
CustomerList ReadCustomerList(db::Connection &conn, const QString &name);
// The number of active customers, counted no further than `limit` + 1.
int CountActiveCustomers(db::Connection &conn, int limit);
// The active customers called exactly `name`, found through the name index.
QList<CustomerListModel::Entry> ReadCustomersNamed(db::Connection &conn, const QString &name);
// The entry of an active customer by number; none when there is no such
// active customer.
std::optional<CustomerListModel::Entry> ReadCustomerEntry(db::Connection &conn, qint32 custId);

// The pay types a cashier may choose, in the store's order (an internet
// sale is never taken at the counter).
QList<sale::PayType> ReadPayTypes(db::Store &store);

} // namespace vanta
