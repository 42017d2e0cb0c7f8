#pragma once

#include <QString>
#include <array>

namespace vanta {
class RegisterSession;
}

namespace vanta::security {

// What a permission-gated register command may do.
enum class Gate {
    Run,       // go ahead
    ShowLogon, // nobody is logged on: show the logon dialog instead
    Refused    // the employee lacks the permission: the refusal is (or is to be) shown
};

// The register's permission-gated commands.
enum class GatedCommand {
    AddItem,
    CancelSale,
    RemoveItem,
    Shipping,
    ProcessSale,
    EditCustomer,
    EditPrice,
    ChangeDatabaseLocation
};

// A command's refusal box (information icon). An empty title shows the
// application's title.
struct CommandRefusal {
    GatedCommand command;
    const char *message;
    const char *title;
};

// The refusal of every gated command.
const std::array<CommandRefusal, 8> &commandRefusals();
const CommandRefusal &refusalFor(GatedCommand command);

// The general rule: with `logonFirst`, nobody logged on and security on, the
// logon dialog comes first; otherwise a false flag refuses while security is
// on; otherwise the command runs. With security off everything runs.
Gate guardCommand(const RegisterSession &session, bool flag, bool logonFirst);

// The rule for one of the register's commands: reads the command's flag
// (from the permissions record or straight from `Permissions`) only when it
// matters. Processing a sale never asks for a logon first; changing the
// database location asks for one whenever nobody is logged on.
Gate guardCommand(RegisterSession &session, GatedCommand command);

// As guardCommand, and shows the command's refusal when refused.
Gate checkCommand(RegisterSession &session, GatedCommand command);

// Shows a refusal: an information box with the given text and title.
void refuse(RegisterSession &session, const QString &message, const QString &title);

} // namespace vanta::security
