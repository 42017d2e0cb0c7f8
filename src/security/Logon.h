#pragma once

#include "platform/Prompt.h"

#include <QList>
#include <QString>

namespace vanta::db {
class Store;
}

namespace vanta::security {

// One entry of the logon dialog's employee list.
struct EmployeeEntry {
    QString text; // "Last , First M" or "First M"
    qint32 id = 0; // `Employee ID`
};

// How a logon attempt ended.
struct LogonResult {
    enum class Outcome { LoggedOn, NoNumber, NotFound, WrongPassword, Inactive };
    Outcome outcome = Outcome::NoNumber;
    // The refusal box; empty message on success.
    QString message;
    platform::Icon icon = platform::Icon::None;
    QString title;
    // The employee on success.
    qint32 employeeId = 0;
    QString name;

    bool ok() const { return outcome == Outcome::LoggedOn; }
};

// The employees for the logon list, by last name then first name. Rows
// without a first name are left out. `anyRows` (when given) tells whether
// `Employees` holds any row at all, listed or not.
QList<EmployeeEntry> LoadEmployeeList(db::Store &store, bool *anyRows = nullptr);

// Checks a typed employee number and password against `Employees`: the
// number must name an employee, the password must match without regard to
// case (an employee without a stored password logs on with any), and the
// employee must not be marked inactive.
LogonResult TryLogon(db::Store &store, const QString &number, const QString &password);

struct Identity;

// Makes the employee the register's current employee: number, permissions
// and name.
void LogOn(Identity &who, db::Store &store, qint32 employeeId, const QString &name);

// Nobody is logged on any more: name "None", number 0, no permissions.
void LogOut(Identity &who);

} // namespace vanta::security
