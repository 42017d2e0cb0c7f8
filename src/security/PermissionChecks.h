#pragma once

#include <QtGlobal>

namespace vanta::db {
class Store;
}

namespace vanta::security {

// Single permission flags read straight from `Permissions` for one employee
// (module "modPOS"). Each is false when the employee has no row.

// Column `Edit Items`: may change a line's price.
bool EditItems(db::Store &store, qint32 employeeId);
// Column `Perform Database Utilities`: may change the database location and
// the security switch.
bool PerformDatabaseUtilities(db::Store &store, qint32 employeeId);
// Column `Edit Customers`: may open the customer records.
bool EditCustomer(db::Store &store, qint32 employeeId);

} // namespace vanta::security
