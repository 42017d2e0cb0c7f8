#include "security/Logon.h"

#include "db/EmployeeName.h"
#include "db/Store.h"
#include "security/Identity.h"

#include <cmath>
#include <limits>
#include <optional>

namespace vanta::security {

namespace {

const QString kLoginTitle = QStringLiteral("Login");

// The employee number in the typed text; none when the text is not a whole
// number that fits an `Employee ID` (the number box lets "." and "/" through).
std::optional<qint32> typedNumber(const QString &text)
{
    bool ok = false;
    const double d = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(d) || d != std::floor(d) || d < std::numeric_limits<qint32>::min()
        || d > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(d);
}

LogonResult refusal(LogonResult::Outcome outcome, const QString &message, platform::Icon icon)
{
    LogonResult r;
    r.outcome = outcome;
    r.message = message;
    r.icon = icon;
    r.title = kLoginTitle;
    return r;
}

} // namespace

QList<EmployeeEntry> LoadEmployeeList(db::Store &store, bool *anyRows)
{
    // Sorted without regard to case, as the back office shows names.
    db::Recordset rs = store.database().openQuery(QStringLiteral(
        "SELECT \"First Name\", \"Last Name\", \"Middle Initial\", \"Employee ID\" FROM \"Employees\" "
        "ORDER BY lower(\"Last Name\"), lower(\"First Name\")"));
    QList<EmployeeEntry> entries;
    bool rows = false;
    for (; !rs.eof(); rs.moveNext()) {
        rows = true;
        const QString last = rs.text(QStringLiteral("Last Name")).trimmed();
        const QString middle = rs.text(QStringLiteral("Middle Initial")).trimmed();
        const QString first = rs.text(QStringLiteral("First Name")).trimmed();
        if (first.isEmpty())
            continue;
        const QString firstAndMiddle = first + QLatin1Char(' ') + middle;
        entries.append({last.isEmpty() ? firstAndMiddle : last + QStringLiteral(" , ") + firstAndMiddle,
                        db::asLong(rs.field(QStringLiteral("Employee ID")))});
    }
    if (anyRows)
        *anyRows = rows;
    return entries;
}

LogonResult TryLogon(db::Store &store, const QString &number, const QString &password)
{
    using Outcome = LogonResult::Outcome;
    using platform::Icon;
    if (number.isEmpty())
        return refusal(Outcome::NoNumber, QStringLiteral("You must select an employee!"), Icon::Exclamation);

    const LogonResult notFound =
        refusal(Outcome::NotFound, QStringLiteral("The employee number you entered was not found in the database!"),
                Icon::Critical);
    const std::optional<qint32> id = typedNumber(number);
    if (!id)
        return notFound;
    db::Recordset rs = store.database().openTable(QStringLiteral("Employees"));
    rs.setIndex(QStringLiteral("Employee ID"));
    if (!rs.seek(*id))
        return notFound;

    const QVariant stored = rs.field(QStringLiteral("Password"));
    if (!stored.isNull() && stored.toString().toUpper() != password.toUpper())
        return refusal(Outcome::WrongPassword, QStringLiteral("The password you have entered is incorrect!"),
                       Icon::Critical);

    const QVariant active = rs.field(QStringLiteral("Active"));
    if (!active.isNull() && !db::asBool(active))
        return refusal(Outcome::Inactive,
                       QStringLiteral("The employee '") + db::employeeFullName(rs)
                           + QStringLiteral("' is no longer active and cannot login!"),
                       Icon::Critical);

    LogonResult r;
    r.outcome = Outcome::LoggedOn;
    r.employeeId = db::asLong(rs.field(QStringLiteral("Employee ID")));
    r.name = db::employeeFullName(rs);
    return r;
}

void LogOn(Identity &who, db::Store &store, qint32 employeeId, const QString &name)
{
    who.employeeNumber = employeeId;
    who.permissions = clsPermissions(store, employeeId);
    who.employeeName = name;
}

void LogOut(Identity &who)
{
    who.employeeName = QStringLiteral("None");
    who.employeeNumber = 0;
    who.permissions = clsPermissions();
}

} // namespace vanta::security
