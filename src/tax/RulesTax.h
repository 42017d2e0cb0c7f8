#pragma once

#include <QString>
#include <QtGlobal>
#include <vector>

namespace vanta::db {
class Store;
}
namespace vanta::sale {
class clsSaleItems;
}

namespace vanta::tax {

// Tax by tax rules (register screen, module "frmPOS").

// What one tax type of a rule owes on an amount: every share its brackets
// yield, for the agency the type collects for, in the jurisdiction the
// customer matched (empty for a type that applies everywhere).
struct AgencyShare {
    qint16 agency = 0; // `Tax Agencies` id
    double amount = 0;
    QString jurisdiction;
};

// The shares of the taxable sale lines: for each tax type of a line's rule
// that applies to the customer, the brackets picked by the unit price, each
// rounded with the type's digit (see LineTaxShares), summed per type.
std::vector<AgencyShare> LineRuleShares(db::Store &store, const sale::clsSaleItems &items, qint32 customerId);
// The shares of a shipping charge under the company's `shipping tax rule`
// (null means rule 0), bracket by bracket (see ShippingTaxShares).
std::vector<AgencyShare> ShippingRuleShares(db::Store &store, double shipping, qint32 customerId);

// The sum of the shares.
double TotalOf(const std::vector<AgencyShare> &shares);

// Their totals.
double GetTaxFromRules(db::Store &store, const sale::clsSaleItems &items, qint32 customerId);
float GetShippingTaxFromTaxRules(db::Store &store, float shipping, qint32 customerId);

} // namespace vanta::tax
