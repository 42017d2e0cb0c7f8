#pragma once

#include <QtGlobal>

namespace vanta::db {
class Store;
}
namespace vanta::sale {
class clsSaleItems;
}

namespace vanta::tax {

// Tax by tax rules (register screen, module "frmPOS").

// Tax of the taxable sale lines: for each tax type of a line's rule that
// applies to the customer, the brackets picked by the unit price, each
// rounded with the type's digit (see LineTaxShares).
double GetTaxFromRules(db::Store &store, const sale::clsSaleItems &items, qint32 customerId);

// Tax on a shipping charge under the company's `shipping tax rule` (null
// means rule 0), bracket by bracket (see ShippingTaxShares).
float GetShippingTaxFromTaxRules(db::Store &store, float shipping, qint32 customerId);

} // namespace vanta::tax
