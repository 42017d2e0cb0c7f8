#pragma once

#include <QString>

namespace vanta::db {

class Recordset;
class Store;

// First name, " ", middle initial, " ", last name of the current `Employees`
// row (null parts empty).
QString employeeFullName(Recordset &employees);

// The full name of the employee with the number; "None" when no employee
// has it (module "modPOS").
QString GetUserName(Store &store, qint32 employeeNumber);

} // namespace vanta::db
