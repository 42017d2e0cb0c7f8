#pragma once

#include <QVariant>
#include <QtGlobal>
#include <optional>

namespace vanta::db {
class Store;
}

namespace vanta::tax {

// The store's tax settings, read from the first row of `Company`.

// Tax method (`tax option`, module "modTaxRules"): 0 no tax, 1 shipping tax
// only at the fixed rate, 2 fixed rate, 3 tax rules; 0 when there is no
// company row.
qint16 GetTaxMethod(db::Store &store);

// Shipping is taxed (`taxable shipping`); false without a company row.
bool TaxShipping(db::Store &store);

// The stored fixed rate (`sales tax`) as it is, when the company row exists.
std::optional<double> Get_Tax(db::Store &store);

// A column of the first company row; null when there is no row.
QVariant CompanyField(db::Store &store, const QString &column);

} // namespace vanta::tax
