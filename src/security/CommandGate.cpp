#include "security/CommandGate.h"

#include "db/Store.h"
#include "platform/Prompt.h"
#include "security/Identity.h"
#include "security/PermissionChecks.h"

#include <algorithm>

namespace vanta::security {

const std::array<CommandRefusal, 11> &commandRefusals()
{
    static const std::array<CommandRefusal, 11> refusals{{
        {GatedCommand::AddItem, "You do not have permission to add items to sale."},
        {GatedCommand::CancelSale, "You do not have permissions to cancel a sale."},
        {GatedCommand::RemoveItem, "You do not have permissions to remove any items from the current sale."},
        {GatedCommand::Shipping, "You do not have permissions to add shipping to current sale."},
        {GatedCommand::ProcessSale, "You do not have permisssions to process a sale."},
        {GatedCommand::EditCustomer, "You do not have permission to edit customer records."},
        {GatedCommand::EditPrice, "You do not have the proper permissions to edit prices."},
        {GatedCommand::ChangeDatabaseLocation, "You do not have permissions to perform database utilities."},
        {GatedCommand::OpenCashDrawer, "You do not have permissions to open the cash drawer."},
        {GatedCommand::MailSettings, "You do not have permissions to change the mail settings."},
        {GatedCommand::CashInOut, "You do not have permissions to pay cash into or out of the drawer."},
    }};
    return refusals;
}

const CommandRefusal &refusalFor(GatedCommand command)
{
    const auto &all = commandRefusals();
    return *std::find_if(all.begin(), all.end(), [command](const CommandRefusal &r) { return r.command == command; });
}

Gate guardCommand(const Identity &who, bool flag, bool logonFirst)
{
    if (logonFirst && !who.loggedOn() && who.securityOn)
        return Gate::ShowLogon;
    if (!flag && who.securityOn)
        return Gate::Refused;
    return Gate::Run;
}

namespace {

// The permission a command needs, for the logged-on employee.
bool commandFlag(const Identity &who, db::Store *store, GatedCommand command)
{
    switch (command) {
    case GatedCommand::EditCustomer: return EditCustomer(db::requireStore(store), who.employeeNumber);
    case GatedCommand::EditPrice: return EditItems(db::requireStore(store), who.employeeNumber);
    case GatedCommand::ChangeDatabaseLocation:
    case GatedCommand::MailSettings:
        return PerformDatabaseUtilities(db::requireStore(store), who.employeeNumber);
    case GatedCommand::OpenCashDrawer:
    case GatedCommand::CashInOut:
        return who.permissions.SalesRelated();
    case GatedCommand::AddItem:
    case GatedCommand::CancelSale:
    case GatedCommand::RemoveItem:
    case GatedCommand::Shipping:
    case GatedCommand::ProcessSale: break;
    }
    return who.permissions.SellItems();
}

} // namespace

Gate guardCommand(const Identity &who, db::Store *store, GatedCommand command)
{
    if ((command == GatedCommand::ChangeDatabaseLocation || command == GatedCommand::MailSettings)
        && !who.loggedOn())
        return Gate::ShowLogon;
    const bool logonFirst = command != GatedCommand::ProcessSale;
    // The flag is read only when it decides: not with security off, nor when
    // the logon dialog comes first.
    const bool flagDecides = who.securityOn && !(logonFirst && !who.loggedOn());
    return guardCommand(who, !flagDecides || commandFlag(who, store, command), logonFirst);
}

Gate checkCommand(const Identity &who, db::Store *store, platform::Prompt &prompt, GatedCommand command)
{
    const Gate gate = guardCommand(who, store, command);
    if (gate == Gate::Refused)
        refuse(prompt, QString::fromUtf8(refusalFor(command).message));
    return gate;
}

void refuse(platform::Prompt &prompt, const QString &message)
{
    prompt.message(message, platform::Buttons::Ok, platform::Icon::Information, QString());
}

} // namespace vanta::security
