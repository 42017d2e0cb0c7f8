#include "security/ManagerApproval.h"

#include "security/Logon.h"
#include "security/PermissionChecks.h"

namespace vanta::security {

std::variant<Approval, QString> CheckApproval(db::Store &store, const QString &number, const QString &password)
{
    const LogonResult logon = TryLogon(store, number, password);
    if (!logon.ok())
        return logon.message;
    if (!PerformDatabaseUtilities(store, logon.employeeId))
        return QStringLiteral("%1 may not approve this: it takes an employee allowed to perform database "
                              "utilities.")
            .arg(logon.name);
    return Approval{logon.employeeId, logon.name};
}

} // namespace vanta::security
