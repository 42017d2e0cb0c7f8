#pragma once

#include <QString>
#include <QtGlobal>

namespace vanta::db {
class Database;
}
namespace vanta::platform {
class Prompt;
}
namespace vanta::sale {
class clsSaleItems;
}

namespace vanta::tax {

// Recording the tax of a posted sale in `Tax Holder`, one row per sale and
// agency (module "modTaxRules"). Every write goes through `ws`, the
// connection that holds the posting's transaction, so the rows are stored or
// discarded with the rest of the sale. The writing procedures answer true
// when they failed: an error is shown as a message box (number, a space, the
// description) and the caller rolls the posting back.

// The fixed-rate tax of the lines whose own `Taxable` flag is set, as one
// "Fixed Tax" row; the row is written even when the total is 0.
bool UpdateTaxTableFixed(const db::Database &ws, qint32 saleId, const sale::clsSaleItems &items,
                         platform::Prompt &prompt);

// The tax by tax rules of the taxable lines for the given customer: for each
// tax type of a line's rule that applies to the customer, the share of the
// bracket walk goes to the type's agency. Where several brackets match a
// price, only the last matching one is recorded.
bool UpdateTaxTableFromRules(const db::Database &ws, qint32 saleId, qint32 customerId,
                             const sale::clsSaleItems &items, platform::Prompt &prompt);

// Adds an amount to the sale's row of the agency (created when missing); an
// amount of 0 or less writes nothing.
bool WriteToTaxHolderTable(const db::Database &ws, qint32 saleId, qint16 agencyId, double amount,
                           platform::Prompt &prompt);

// The name of an agency (`Tax Agencies`), empty when there is none. Posting
// never writes that table, so any connection gives the same answer.
QString GetAgencyName(const db::Database &db, qint16 agencyId);

} // namespace vanta::tax
