#pragma once

#include "register/CustomerListModel.h"
#include "sale/Sale.h"

#include <QList>

namespace vanta::db {
class Store;
}

namespace vanta {

// The active customers as the register lists them ("Name - Phone", by
// name), and the last entry whose text holds `name` (-1: none).
struct CustomerList {
    QList<CustomerListModel::Entry> entries;
    int match = -1;
};
CustomerList ReadCustomerList(db::Store &store, const QString &name);

// The pay types a cashier may choose, in the store's order (an internet
// sale is never taken at the counter).
QList<sale::PayType> ReadPayTypes(db::Store &store);

} // namespace vanta
