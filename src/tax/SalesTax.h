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

// Register screen operations (module "frmPOS").

// The customer's `Taxable`; false for an unknown customer.
bool CustomerIsTaxable(db::Store &store, qint32 custId);
// A customer is selected and is taxable.
bool SaleIsTaxable(db::Store &store, std::optional<qint32> selectedCustId);

// The lines that owe tax: marked taxable on the sale (not exempt) and
// selling an item stored as taxable (a variant's parent item); a line whose
// item is gone owes none.
sale::clsSaleItems TaxableLines(db::Store &store, const sale::clsSaleItems &items);

// Fixed-rate tax of the lines, unrounded: price x qty x the fixed rate for
// each line given.
double GetTaxFixed(db::Store &store, const sale::clsSaleItems &items);

} // namespace vanta::tax
