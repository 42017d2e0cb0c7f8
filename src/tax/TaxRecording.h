#pragma once

#include "tax/SaleTax.h"
#include "tax/TaxByLine.h"

#include <QString>
#include <QtGlobal>
#include <vector>

namespace vanta::db {
class Database;
}
namespace vanta::platform {
class Prompt;
}

namespace vanta::tax {

// Recording the tax of a posted sale in `Tax Holder`, one row per sale and
// agency (module "modTaxRules"). The write goes through `ws`, the connection
// that holds the posting's transaction, so the rows are stored or discarded
// with the rest of the sale.

// Writes one row for each agency of the sale's tax, the amounts the
// customer was charged. Answers true when it failed: the error is shown as a
// message box (number, a space, the description) and the caller rolls the
// posting back.
bool WriteTaxHolderRows(const db::Database &ws, qint32 saleId, const std::vector<AgencyTax> &agencies,
                   platform::Prompt &prompt);

// Writes one row for each agency and jurisdiction of the sale's tax
// (`Tax Jurisdictions`), as WriteTaxHolderRows does; a store without the
// table (an older store the register could not add it to) keeps none.
bool WriteTaxPlaceRows(const db::Database &ws, qint32 saleId, const std::vector<PlaceTax> &places,
                       platform::Prompt &prompt);
// What a posted sale's agencies collected by jurisdiction, as written;
// none for a sale posted without them.
std::vector<PlaceTax> PostedTaxPlaces(const db::Database &db, qint32 saleId);

// The name of an agency (`Tax Agencies`), empty when there is none. Posting
// never writes that table, so any connection gives the same answer.
QString GetAgencyName(const db::Database &db, qint16 agencyId);

} // namespace vanta::tax
