#include "security/PermissionChecks.h"

#include "db/Store.h"
#include "diagnostics/Trace.h"

namespace vanta::security {

namespace {

// The flag in `column` of the employee's `Permissions` row on the register's
// open database; false when there is no row.
bool permissionFlag(db::Store &store, qint32 employeeId, const char *column)
{
    db::Recordset rs = store.database().openTable(QStringLiteral("Permissions"));
    rs.setIndex(QStringLiteral("Employee ID"));
    if (!rs.seek(employeeId))
        return false;
    return db::asBool(rs.field(QLatin1String(column)));
}

} // namespace

bool EditItems(db::Store &store, qint32 employeeId)
{
    return diag::run("modPOS", "EditItems", false,
                     [&] { return permissionFlag(store, employeeId, "Edit Items"); });
}

bool PerformDatabaseUtilities(db::Store &store, qint32 employeeId)
{
    return diag::run("modPOS", "PerformDatabaseUtilities", false,
                     [&] { return permissionFlag(store, employeeId, "Perform Database Utilities"); });
}

bool EditCustomer(db::Store &store, qint32 employeeId)
{
    return diag::run("modPOS", "EditCustomer", false,
                     [&] { return permissionFlag(store, employeeId, "Edit Customers"); });
}

} // namespace vanta::security
