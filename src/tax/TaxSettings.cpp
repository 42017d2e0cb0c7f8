#include "tax/TaxSettings.h"

#include "db/CompanySettings.h"
#include "db/Store.h"
#include "diagnostics/Trace.h"
#include "tax/TaxNumbers.h"

namespace vanta::tax {

QVariant CompanyField(db::Store &store, const QString &column)
{
    return db::companySetting(store, column).value_or(QVariant());
}

qint16 GetTaxMethod(db::Store &store)
{
    return diag::run("modTaxRules", "GetTaxMethod", qint16(0),
                     [&] { return asInteger(CompanyField(store, QStringLiteral("tax option"))); });
}

bool TaxShipping(db::Store &store)
{
    return diag::run("frmPOS", "TaxShipping", false,
                     [&] { return db::asBool(CompanyField(store, QStringLiteral("taxable shipping"))); });
}

std::optional<double> Get_Tax(db::Store &store)
{
    return diag::run("frmPOS", "Get_Tax", std::optional<double>(), [&]() -> std::optional<double> {
        const std::optional<QVariant> rate = db::companySetting(store, QStringLiteral("sales tax"));
        if (!rate)
            return std::nullopt;
        return db::asDouble(*rate);
    });
}

} // namespace vanta::tax
