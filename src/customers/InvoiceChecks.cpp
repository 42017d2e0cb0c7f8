#include "customers/InvoiceChecks.h"

#include "customers/CustomerCredit.h"
#include "customers/InvoiceCustomer.h"
#include "db/Store.h"
#include "diagnostics/Trace.h"
#include "platform/Currency.h"
#include "platform/Prompt.h"

#include <optional>

namespace vanta::customers {

namespace {

const char *const kModule = "modPOS";

// The customer's credit limit as stored (single precision); none when the
// customer does not exist or has no limit on file.
std::optional<float> creditLimit(db::Store &store, qint32 custId)
{
    db::Recordset rs = seekCustomer(store, custId);
    if (rs.noMatch())
        return std::nullopt;
    const QVariant limit = rs.field(QStringLiteral("credit limit"));
    if (limit.isNull())
        return std::nullopt;
    return db::asSingle(limit);
}

} // namespace

bool OKtoInvoice(db::Store &store, qint32 custId)
{
    return diag::run(kModule, "OKtoInvoice", false, [&] {
        const std::optional<float> limit = creditLimit(store, custId);
        return limit && *limit > 0.0f;
    });
}

bool CreditLimitOK(db::Store &store, qint32 custId, sale::Money displayedTotal)
{
    return diag::run(kModule, "CreditLimitOK", false, [&] {
        db::Recordset rs = seekCustomer(store, custId);
        if (rs.noMatch() || rs.field(QStringLiteral("credit limit")).isNull())
            return false;
        // The same available credit as the customer list shows: the limit
        // less what the customer already owes.
        return availableCreditCents(rs.field(QStringLiteral("credit limit")), rs.field(QStringLiteral("balance")))
               >= displayedTotal.cents();
    });
}

bool AcceptInvoiceSale(db::Store &store, platform::Prompt &prompt, qint32 custId, sale::Money displayedTotal)
{
    const auto refuse = [&](const char *text) {
        prompt.message(QLatin1String(text), platform::Buttons::Ok, platform::Icon::Information,
                               QStringLiteral("Vanta POS"));
        return false;
    };
    if (!OKtoInvoice(store, custId))
        return refuse("The selected customer does not have invoice permissions.");
    if (!CreditLimitOK(store, custId, displayedTotal))
        return refuse("The selected customer's credit limit is lower than sale total.");
    return true;
}

} // namespace vanta::customers
