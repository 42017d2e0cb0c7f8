#include "security/CommandGate.h"

#include "security/Logon.h"
#include "security/SecurityFixture.h"

using namespace vanta;
using namespace vanta::security;
using platform::Icon;

using CommandGates = test::SecurityTest;

namespace {

const QList<GatedCommand> kAll{GatedCommand::AddItem,      GatedCommand::CancelSale,  GatedCommand::RemoveItem,
                               GatedCommand::Shipping,     GatedCommand::ProcessSale, GatedCommand::EditCustomer,
                               GatedCommand::EditPrice,    GatedCommand::ChangeDatabaseLocation};

} // namespace

TEST_F(CommandGates, EmployeeWithoutPermissionsRowIsRefusedEverythingOnlyUnderSecurity)
{
    addEmployee(9, "Eve", "", "Gray");
    LogOn(session, 9, "Eve  Gray");

    session.mfSecurity = true;
    for (GatedCommand c : kAll)
        EXPECT_EQ(checkCommand(session, c), Gate::Refused);
    EXPECT_EQ(prompt.texts(),
              QStringList({"You do not have permission to add items to sale.",
                           "You do not have permissions to cancel a sale.",
                           "You do not have permissions to remove any items from the current sale.",
                           "You do not have permissions to add shipping to current sale.",
                           "You do not have permisssions to process a sale.",
                           "You do not have permission to edit customer records.",
                           "You do not have the proper permissions to edit prices.",
                           "You do not have permissions to perform database utilities."}));
    for (const auto &r : prompt.requests()) {
        EXPECT_EQ(r.icon, Icon::Information);
        EXPECT_EQ(r.title, "Vanta! POS");
        EXPECT_EQ(r.buttons, platform::Buttons::Ok);
    }
    // Processing carries no title of its own: the box shows the application's.
    EXPECT_STREQ(refusalFor(GatedCommand::ProcessSale).title, "");
    EXPECT_STREQ(refusalFor(GatedCommand::EditPrice).title, "Vanta! POS");

    session.mfSecurity = false;
    prompt.clearRecord();
    for (GatedCommand c : kAll)
        EXPECT_EQ(checkCommand(session, c), Gate::Run);
    EXPECT_EQ(prompt.count(), 0);
}

TEST_F(CommandGates, LogonComesFirstWhenNobodyIsLoggedOn)
{
    session.mfSecurity = true;
    for (GatedCommand c : kAll)
        EXPECT_EQ(guardCommand(session, c),
                  c == GatedCommand::ProcessSale ? Gate::Refused : Gate::ShowLogon);
    EXPECT_EQ(prompt.count(), 0);

    // With security off only the database location still asks for a logon.
    session.mfSecurity = false;
    for (GatedCommand c : kAll)
        EXPECT_EQ(guardCommand(session, c),
                  c == GatedCommand::ChangeDatabaseLocation ? Gate::ShowLogon : Gate::Run);

    // The general rule on its own.
    EXPECT_EQ(guardCommand(session, false, true), Gate::Run);
    session.mfSecurity = true;
    EXPECT_EQ(guardCommand(session, true, true), Gate::ShowLogon);
    EXPECT_EQ(guardCommand(session, true, false), Gate::Run);
    EXPECT_EQ(guardCommand(session, false, false), Gate::Refused);
}

TEST_F(CommandGates, EachCommandReadsItsOwnFlag)
{
    addEmployee(4, "Hal", "I", "Jones");
    addPermissions(4, {"Sell Items", "Edit Items"});
    LogOn(session, 4, "Hal I Jones");
    session.mfSecurity = true;

    for (GatedCommand c : {GatedCommand::AddItem, GatedCommand::CancelSale, GatedCommand::RemoveItem,
                           GatedCommand::Shipping, GatedCommand::ProcessSale, GatedCommand::EditPrice})
        EXPECT_EQ(checkCommand(session, c), Gate::Run);
    EXPECT_EQ(prompt.count(), 0);
    EXPECT_EQ(checkCommand(session, GatedCommand::EditCustomer), Gate::Refused);
    EXPECT_EQ(checkCommand(session, GatedCommand::ChangeDatabaseLocation), Gate::Refused);

    // Single reads see the table as it is now, the record as it was at logon.
    db().execute("UPDATE \"Permissions\" SET \"Edit Customers\" = 1, \"Sell Items\" = 0");
    EXPECT_EQ(checkCommand(session, GatedCommand::EditCustomer), Gate::Run);
    EXPECT_EQ(checkCommand(session, GatedCommand::AddItem), Gate::Run);
}
