#pragma once

#include <QString>
#include <QtGlobal>
#include <variant>

namespace vanta::db {
class Store;
}

namespace vanta::security {

// A manager who approved one action, without logging on: the cashier stays
// logged on.
struct Approval {
    qint32 employeeId = 0;
    QString name;
};

// Checks a manager's employee number and password as the logon does, and
// the right to approve (`Perform Database Utilities`). The refusal, in the
// cashier's words, when they do not approve.
std::variant<Approval, QString> CheckApproval(db::Store &store, const QString &number, const QString &password);

} // namespace vanta::security
