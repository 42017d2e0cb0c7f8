#include "security/Logon.h"

#include "db/EmployeeName.h"

#include "security/SecurityFixture.h"

using namespace vanta;
using namespace vanta::security;
using Outcome = LogonResult::Outcome;

using Logon = test::SecurityTest;

TEST_F(Logon, UserNameJoinsTheNamesWithSingleBlanks)
{
    addEmployee(1, "Ann", "B", "Cole");
    addEmployee(2, "Dan", QVariant(), "Ford");
    addEmployee(3, QVariant(), QVariant(), "Nofirst");
    EXPECT_EQ(db::GetUserName(session.store(), 1), "Ann B Cole");
    EXPECT_EQ(db::GetUserName(session.store(), 2), "Dan  Ford");
    EXPECT_EQ(db::GetUserName(session.store(), 3), "  Nofirst");
    EXPECT_EQ(db::GetUserName(session.store(), 0), "None");
    EXPECT_EQ(db::GetUserName(session.store(), 99), "None");
}

TEST_F(Logon, EmployeeListEntries)
{
    bool anyRows = true;
    EXPECT_TRUE(LoadEmployeeList(session.store(), &anyRows).isEmpty());
    EXPECT_FALSE(anyRows);

    addEmployee(10, "Zoe  ", " Q ", "baker");
    addEmployee(11, "Amy", "R", "Baker");
    addEmployee(12, "Cy", QVariant(), "Baker"); // after a row with a middle initial
    addEmployee(13, "Solo", "S", QVariant());
    addEmployee(14, QVariant(), "T", "Hidden");
    addEmployee(15, "   ", "U", "Blank");
    addEmployee(16, "Max", QVariant(), "  ");

    const QList<EmployeeEntry> list = LoadEmployeeList(session.store(), &anyRows);
    EXPECT_TRUE(anyRows);
    QStringList texts;
    QList<qint32> ids;
    for (const auto &e : list) {
        texts << e.text;
        ids << e.id;
    }
    // Sorted by last name (none first), then first name, without regard to
    // case; names trimmed; rows without a first name are left out.
    EXPECT_EQ(texts, QStringList({"Solo S", "Max ", "Baker , Amy R", "Baker , Cy ", "baker , Zoe Q"}));
    EXPECT_EQ(ids, QList<qint32>({13, 16, 11, 12, 10}));

    // Rows exist even when none of them can be listed.
    test::TempStore other;
    test::insertRow(other.db(), "Employees", {"Employee ID", "Last Name"}, {1, "Only"});
    EXPECT_TRUE(LoadEmployeeList(*other.store, &anyRows).isEmpty());
    EXPECT_TRUE(anyRows);
}

// The boxes' texts are checked where the cashier sees them (frmLoginTest);
// here, which attempts pass.
TEST_F(Logon, WhichAttemptsPass)
{
    addEmployee(1, "Ann", "B", "Cole", "Secret");
    addEmployee(2, "Old", QVariant(), "Timer", "pw", false);
    addEmployee(3, "Null", "N", "Active", "pw", QVariant());
    addEmployee(5, QVariant(), QVariant(), "Nofirst", QVariant()); // no password, not listed
    db::Store &store = session.store();

    EXPECT_EQ(TryLogon(store, "", "Secret").outcome, Outcome::NoNumber);
    // Unknown numbers, and texts that are no whole number, are not found.
    for (const char *typed : {"4", "1/2", "1.5", "..", "99999999999"})
        EXPECT_EQ(TryLogon(store, typed, "Secret").outcome, Outcome::NotFound) << typed;
    EXPECT_EQ(TryLogon(store, "1", "secrets").outcome, Outcome::WrongPassword);
    EXPECT_EQ(TryLogon(store, "1", "").outcome, Outcome::WrongPassword);
    // Only a false Active refuses; the name keeps the empty middle initial.
    const LogonResult old = TryLogon(store, "2", "PW");
    EXPECT_EQ(old.outcome, Outcome::Inactive);
    EXPECT_EQ(old.message, "The employee 'Old  Timer' is no longer active and cannot login!");
    EXPECT_TRUE(TryLogon(store, "3", "pw").ok());

    // The password matches in any case.
    LogonResult r = TryLogon(store, "1.", "sEcReT");
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.employeeId, 1);
    EXPECT_EQ(r.name, "Ann B Cole");
    // Without a stored password any password is taken.
    for (const char *pw : {"", "anything"}) {
        r = TryLogon(store, "5", pw);
        ASSERT_TRUE(r.ok());
        EXPECT_EQ(r.name, "  Nofirst");
    }
}

TEST_F(Logon, LogOnLoadsPermissionsLogOutClearsThem)
{
    addEmployee(1, "Ann", "B", "Cole");
    addPermissions(1, {"Sell Items", "Perform Database Utilities"});

    // Logged on, number, name, the permissions' employee, and the flags
    // Sell Items, Perform Database Utilities and Edit Items.
    const auto identity = [&] {
        const auto &id = session.identity;
        return QStringList({session.loggedOn() ? "on" : "off", QString::number(id.employeeNumber), id.employeeName,
                            QString::number(id.permissions.EmployeeID()), id.permissions.SellItems() ? "sell" : "-",
                            id.permissions.DatabaseUtilities() ? "utilities" : "-",
                            id.permissions.EditItems() ? "edit" : "-"});
    };
    LogOn(session.identity, session.store(), 1, "Ann B Cole");
    EXPECT_EQ(identity(), QStringList({"on", "1", "Ann B Cole", "1", "sell", "utilities", "-"}));
    LogOut(session.identity);
    EXPECT_EQ(identity(), QStringList({"off", "0", "None", "0", "-", "-", "-"}));
}
