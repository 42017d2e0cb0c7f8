#include "db/EmployeeName.h"

#include "db/Store.h"
#include "diagnostics/Trace.h"

namespace vanta::db {

QString employeeFullName(Recordset &employees)
{
    return employees.text(QStringLiteral("First Name")) + QLatin1Char(' ')
           + employees.text(QStringLiteral("Middle Initial")) + QLatin1Char(' ')
           + employees.text(QStringLiteral("Last Name"));
}

QString GetUserName(Store &store, qint32 employeeNumber)
{
    return diag::run("modPOS", "GetUserName", QStringLiteral("None"), [&] {
        Recordset rs = store.database().openTable(QStringLiteral("Employees"));
        rs.setIndex(QStringLiteral("Employee ID"));
        return rs.seek(employeeNumber) ? employeeFullName(rs) : QStringLiteral("None");
    });
}

} // namespace vanta::db
