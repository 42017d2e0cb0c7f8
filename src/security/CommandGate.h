#pragma once

#include <QString>
#include <array>

namespace vanta::db {
class Store;
}
namespace vanta::platform {
class Prompt;
}

namespace vanta::security {

struct Identity;

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
    ChangeDatabaseLocation,
    OpenCashDrawer, // without a sale: the "Sales related" permission
    MailSettings,
    CashInOut // cash paid into or out of the drawer: the "Sales related" permission
};

// A command's refusal: an information box with the application's title.
struct CommandRefusal {
    GatedCommand command;
    const char *message;
};

// The refusal of every gated command.
const std::array<CommandRefusal, 11> &commandRefusals();
const CommandRefusal &refusalFor(GatedCommand command);

// The general rule: with `logonFirst`, nobody logged on and security on, the
// logon dialog comes first; otherwise a false flag refuses while security is
// on; otherwise the command runs. With security off everything runs.
Gate guardCommand(const Identity &who, bool flag, bool logonFirst);

// The rule for one of the register's commands: reads the command's flag
// (from the permissions record or straight from `Permissions` in the store)
// only when it matters. Processing a sale never asks for a logon first;
// changing the database location or the mail settings asks for one whenever
// nobody is logged on.
// `store` may be none (no store open): a flag that must be read from it then
// fails as a missing store does.
Gate guardCommand(const Identity &who, db::Store *store, GatedCommand command);

// As guardCommand, and shows the command's refusal when refused.
Gate checkCommand(const Identity &who, db::Store *store, platform::Prompt &prompt, GatedCommand command);

// Shows a refusal: an information box with the given text and the
// application's title.
void refuse(platform::Prompt &prompt, const QString &message);

} // namespace vanta::security
