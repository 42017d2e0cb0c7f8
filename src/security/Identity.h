#pragma once

#include "security/clsPermissions.h"

#include <QString>

namespace vanta::security {

// Who is at the register and what they may do: the employee's number, name
// and permissions record, and the security switch that says whether the
// permissions are enforced at all.
struct Identity {
    qint32 employeeNumber = 0; // 0 when nobody is logged on
    QString employeeName = QStringLiteral("None");
    clsPermissions permissions;
    bool securityOn = false; // mfSecurity: with security off every gated command runs

    bool loggedOn() const { return employeeNumber > 0; }
};

} // namespace vanta::security
