#pragma once

#include "sale/Money.h"

#include <QtGlobal>

namespace vanta::db {
class Store;
}
namespace vanta::platform {
class Prompt;
}

namespace vanta::customers {

// The credit checks of an invoice sale (module "modPOS").

// True when the customer exists and its `credit limit` is above 0; a null
// limit allows no invoice.
bool OKtoInvoice(db::Store &store, qint32 custId);

// True when the customer exists, has a `credit limit` on file and its
// available credit (the limit less the balance already owed, as the customer
// list shows it) is at least the register's displayed total. Amounts are
// compared in whole cents: an available 1234.57 covers a total of 1234.57.
bool CreditLimitOK(db::Store &store, qint32 custId, sale::Money displayedTotal);

// The register's checks before the invoice dialog opens: tells the cashier
// why the selected customer cannot buy on invoice or cannot buy this much,
// and returns true only when the dialog may open.
bool AcceptInvoiceSale(db::Store &store, platform::Prompt &prompt, qint32 custId, sale::Money displayedTotal);

} // namespace vanta::customers
