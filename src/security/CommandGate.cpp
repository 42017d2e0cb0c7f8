#include "security/CommandGate.h"

#include "platform/Prompt.h"
#include "register/RegisterSession.h"
#include "security/PermissionChecks.h"

#include <algorithm>

namespace vanta::security {

const std::array<CommandRefusal, 8> &commandRefusals()
{
    static const std::array<CommandRefusal, 8> refusals{{
        {GatedCommand::AddItem, "You do not have permission to add items to sale.", "Vanta! POS"},
        {GatedCommand::CancelSale, "You do not have permissions to cancel a sale.", "Vanta! POS"},
        {GatedCommand::RemoveItem, "You do not have permissions to remove any items from the current sale.",
         "Vanta! POS"},
        {GatedCommand::Shipping, "You do not have permissions to add shipping to current sale.", "Vanta! POS"},
        {GatedCommand::ProcessSale, "You do not have permisssions to process a sale.", ""},
        {GatedCommand::EditCustomer, "You do not have permission to edit customer records.", "Vanta! POS"},
        {GatedCommand::EditPrice, "You do not have the proper permissions to edit prices.", "Vanta! POS"},
        {GatedCommand::ChangeDatabaseLocation, "You do not have permissions to perform database utilities.",
         "Vanta! POS"},
    }};
    return refusals;
}

const CommandRefusal &refusalFor(GatedCommand command)
{
    const auto &all = commandRefusals();
    return *std::find_if(all.begin(), all.end(), [command](const CommandRefusal &r) { return r.command == command; });
}

Gate guardCommand(const RegisterSession &session, bool flag, bool logonFirst)
{
    if (logonFirst && !session.loggedOn() && session.mfSecurity)
        return Gate::ShowLogon;
    if (!flag && session.mfSecurity)
        return Gate::Refused;
    return Gate::Run;
}

namespace {

// The permission a command needs, for the logged-on employee.
bool commandFlag(RegisterSession &session, GatedCommand command)
{
    switch (command) {
    case GatedCommand::EditCustomer: return EditCustomer(session.store(), session.employeeNumber);
    case GatedCommand::EditPrice: return EditItems(session.store(), session.employeeNumber);
    case GatedCommand::ChangeDatabaseLocation:
        return PerformDatabaseUtilities(session.store(), session.employeeNumber);
    case GatedCommand::AddItem:
    case GatedCommand::CancelSale:
    case GatedCommand::RemoveItem:
    case GatedCommand::Shipping:
    case GatedCommand::ProcessSale: break;
    }
    return session.permissions.SellItems();
}

} // namespace

Gate guardCommand(RegisterSession &session, GatedCommand command)
{
    if (command == GatedCommand::ChangeDatabaseLocation && !session.loggedOn())
        return Gate::ShowLogon;
    const bool logonFirst = command != GatedCommand::ProcessSale;
    // The flag is read only when it decides: not with security off, nor when
    // the logon dialog comes first.
    const bool flagDecides = session.mfSecurity && !(logonFirst && !session.loggedOn());
    return guardCommand(session, !flagDecides || commandFlag(session, command), logonFirst);
}

Gate checkCommand(RegisterSession &session, GatedCommand command)
{
    const Gate gate = guardCommand(session, command);
    if (gate == Gate::Refused) {
        const CommandRefusal &r = refusalFor(command);
        refuse(session, QString::fromUtf8(r.message), QString::fromUtf8(r.title));
    }
    return gate;
}

void refuse(RegisterSession &session, const QString &message, const QString &title)
{
    session.prompt.message(message, platform::Buttons::Ok, platform::Icon::Information, title);
}

} // namespace vanta::security
