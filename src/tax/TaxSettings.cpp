#include "tax/TaxSettings.h"

#include "db/Store.h"
#include "diagnostics/Trace.h"
#include "tax/TaxNumbers.h"

namespace vanta::tax {

namespace {

// The column of the first company row; nothing when the table is empty.
std::optional<QVariant> firstCompanyField(db::Store &store, const QString &column)
{
    db::Recordset rs = store.database().openTable(QStringLiteral("Company"));
    if (rs.eof())
        return std::nullopt;
    return rs.field(column);
}

} // namespace

QVariant CompanyField(db::Store &store, const QString &column)
{
    return firstCompanyField(store, column).value_or(QVariant());
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
        const std::optional<QVariant> rate = firstCompanyField(store, QStringLiteral("sales tax"));
        if (!rate)
            return std::nullopt;
        return db::asDouble(*rate);
    });
}

} // namespace vanta::tax
