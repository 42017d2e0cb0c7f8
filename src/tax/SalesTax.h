#pragma once

#include <QtGlobal>
#include <optional>

namespace vanta::db {
class Store;
}
namespace vanta::sale {
class clsSaleItems;
}

namespace vanta::tax {

// The register's tax of the current sale: tax of the lines and tax of the
// shipping, both single precision and 0 for a new sale. The register shows
// their sum as currency.
struct TaxAmounts {
    float SalesTaxAmount = 0.0f;
    float ShippingTaxAmount = 0.0f;
    float shown() const { return SalesTaxAmount + ShippingTaxAmount; }
};

// Register screen operations (module "frmPOS").

// The customer's `Taxable`; false for an unknown customer.
bool CustomerIsTaxable(db::Store &store, qint32 custId);
// A customer is selected and is taxable.
bool SaleIsTaxable(db::Store &store, std::optional<qint32> selectedCustId);

// Fixed-method tax of the sale lines, unrounded: price x qty x rate for each
// line whose stored item (a sub-item's parent item) is taxable; the line's
// own taxable mark is not consulted.
double GetTaxFixed(db::Store &store, const sale::clsSaleItems &items);

// Recomputes the line tax after the lines or the customer changed: both
// amounts 0 for a sale that is not taxable; the fixed or rules tax for
// methods 2 and 3; any other method leaves the line tax as it is.
void RefreshTax(db::Store &store, const sale::clsSaleItems &items, std::optional<qint32> customer,
                TaxAmounts &amounts);

// Recomputes the shipping tax for a shipping charge: both amounts 0 for a
// sale that is not taxable; methods 1 and 2 tax the charge at `sales tax`
// divided by 100 (whatever its size); method 3 by the shipping tax rule;
// any other method leaves the shipping tax as it is.
void AddShippingTax(db::Store &store, std::optional<qint32> customer, float shippingAmount, TaxAmounts &amounts);

} // namespace vanta::tax
