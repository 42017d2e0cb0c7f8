#include "tax/RulesTax.h"

#include "db/Store.h"
#include "diagnostics/Trace.h"
#include "sale/clsSaleItems.h"
#include "tax/TaxNumbers.h"
#include "tax/TaxRuleTables.h"
#include "tax/TaxSettings.h"

#include <numeric>
#include <vector>

namespace vanta::tax {

namespace {

// Sum of the shares of every tax type of the rule that applies to the
// customer; `shares` gives the amounts one type's brackets yield.
template <typename Shares>
double ruleTax(const db::Database &db, qint32 ruleId, qint32 customerId, Shares &&shares)
{
    double tax = 0;
    for (const TaxType &type : RuleTaxTypes(db, ruleId)) {
        if (!InJurisdiction(db, toInteger(type.id), customerId, type.jurisdictionType))
            continue;
        const std::vector<double> amounts = shares(TaxSplits(db, type.id), type.round);
        tax = std::accumulate(amounts.begin(), amounts.end(), tax);
    }
    return tax;
}

} // namespace

double GetTaxFromRules(db::Store &store, const sale::clsSaleItems &items, qint32 customerId)
{
    return diag::run("frmPOS", "GetTaxFromRules", 0.0, [&] {
        double tax = 0;
        for (const auto &line : items) {
            if (!line->Taxable())
                continue;
            const double price = line->Price();
            const float qty = line->qty();
            tax += ruleTax(store.database(), line->TaxRuleID(), customerId,
                           [&](const std::vector<TaxSplit> &splits, qint16 round) {
                               return LineTaxShares(splits, price, qty, round);
                           });
        }
        return tax;
    });
}

float GetShippingTaxFromTaxRules(db::Store &store, float shipping, qint32 customerId)
{
    return diag::run("frmPOS", "GetShippingTaxFromTaxRules", 0.0f, [&] {
        const qint16 rule = asInteger(CompanyField(store, QStringLiteral("shipping tax rule")));
        const double tax = ruleTax(store.database(), rule, customerId,
                                   [&](const std::vector<TaxSplit> &splits, qint16 round) {
                                       return ShippingTaxShares(splits, shipping, round);
                                   });
        return float(tax);
    });
}

} // namespace vanta::tax
