#include "security/CommandGate.h"

#include "security/Logon.h"
#include "security/SecurityFixture.h"

using namespace vanta;
using namespace vanta::security;
using platform::Icon;

class CommandGates : public test::SecurityTest {
protected:
    Gate check(GatedCommand c) { return checkCommand(session.identity, session.storeOrNone(), prompt, c); }
};

namespace {

const QList<GatedCommand> kAll{GatedCommand::AddItem,      GatedCommand::CancelSale,  GatedCommand::RemoveItem,
                               GatedCommand::Shipping,     GatedCommand::ProcessSale, GatedCommand::EditCustomer,
                               GatedCommand::EditPrice,    GatedCommand::ChangeDatabaseLocation,
                               GatedCommand::OpenCashDrawer, GatedCommand::CashInOut};

} // namespace

TEST_F(CommandGates, EmployeeWithoutPermissionsRowIsRefusedEverythingOnlyUnderSecurity)
{
    addEmployee(9, "Eve", "", "Gray");
    LogOn(session.identity, session.store(), 9, "Eve  Gray");

    session.identity.securityOn = true;
    for (GatedCommand c : kAll)
        EXPECT_EQ(check(c), Gate::Refused);
    EXPECT_EQ(prompt.texts(),
              QStringList({"You do not have permission to add items to sale.",
                           "You do not have permissions to cancel a sale.",
                           "You do not have permissions to remove any items from the current sale.",
                           "You do not have permissions to add shipping to current sale.",
                           "You do not have permisssions to process a sale.",
                           "You do not have permission to edit customer records.",
                           "You do not have the proper permissions to edit prices.",
                           "You do not have permissions to perform database utilities.",
                           "You do not have permissions to open the cash drawer.",
                           "You do not have permissions to pay cash into or out of the drawer."}));
    for (const auto &r : prompt.requests()) {
        EXPECT_EQ(r.icon, Icon::Information);
        EXPECT_EQ(r.title, "Vanta! POS");
        EXPECT_EQ(r.buttons, platform::Buttons::Ok);
    }

    session.identity.securityOn = false;
    prompt.clearRecord();
    for (GatedCommand c : kAll)
        EXPECT_EQ(check(c), Gate::Run);
    EXPECT_EQ(prompt.count(), 0);
}

TEST_F(CommandGates, LogonComesFirstWhenNobodyIsLoggedOn)
{
    session.identity.securityOn = true;
    for (GatedCommand c : kAll)
        EXPECT_EQ(guardCommand(session.identity, session.storeOrNone(), c),
                  c == GatedCommand::ProcessSale ? Gate::Refused : Gate::ShowLogon);
    EXPECT_EQ(prompt.count(), 0);

    // With security off only the database location still asks for a logon.
    session.identity.securityOn = false;
    for (GatedCommand c : kAll)
        EXPECT_EQ(guardCommand(session.identity, session.storeOrNone(), c),
                  c == GatedCommand::ChangeDatabaseLocation ? Gate::ShowLogon : Gate::Run);

    // The general rule on its own.
    EXPECT_EQ(guardCommand(session.identity, false, true), Gate::Run);
    session.identity.securityOn = true;
    EXPECT_EQ(guardCommand(session.identity, true, true), Gate::ShowLogon);
    EXPECT_EQ(guardCommand(session.identity, true, false), Gate::Run);
    EXPECT_EQ(guardCommand(session.identity, false, false), Gate::Refused);
}

TEST_F(CommandGates, EachCommandReadsItsOwnFlag)
{
    addEmployee(4, "Hal", "I", "Jones");
    addPermissions(4, {"Sell Items", "Edit Items"});
    LogOn(session.identity, session.store(), 4, "Hal I Jones");
    session.identity.securityOn = true;

    for (GatedCommand c : {GatedCommand::AddItem, GatedCommand::CancelSale, GatedCommand::RemoveItem,
                           GatedCommand::Shipping, GatedCommand::ProcessSale, GatedCommand::EditPrice})
        EXPECT_EQ(check(c), Gate::Run);
    EXPECT_EQ(prompt.count(), 0);
    EXPECT_EQ(check(GatedCommand::EditCustomer), Gate::Refused);
    EXPECT_EQ(check(GatedCommand::ChangeDatabaseLocation), Gate::Refused);
    EXPECT_EQ(check(GatedCommand::OpenCashDrawer), Gate::Refused); // selling alone does not open the drawer
    EXPECT_EQ(check(GatedCommand::CashInOut), Gate::Refused);      // nor pay cash in or out

    // Single reads see the table as it is now, the record as it was at logon.
    db().execute("UPDATE \"Permissions\" SET \"Edit Customers\" = 1, \"Sell Items\" = 0");
    EXPECT_EQ(check(GatedCommand::EditCustomer), Gate::Run);
    EXPECT_EQ(check(GatedCommand::AddItem), Gate::Run);
}
