#include "tax/RulesTax.h"

#include "db/KeptData.h"
#include "diagnostics/Trace.h"
#include "sale/clsSaleItems.h"
#include "tax/TaxNumbers.h"
#include "tax/RuleTables.h"
#include "tax/TaxRuleTables.h"
#include "tax/TaxSettings.h"

#include <numeric>
#include <vector>

namespace vanta::tax {

namespace {

// Sum of the shares of every tax type of the rule that applies to the
// customer; `shares` gives the amounts one type's brackets yield.
template <typename Shares>
double ruleTax(RuleTables &tables, qint32 ruleId, Shares &&shares)
{
    double tax = 0;
    for (const TaxType &type : tables.types(ruleId)) {
        if (!tables.applies(type))
            continue;
        const std::vector<double> amounts = shares(tables.splits(type.id), type.round);
        tax = std::accumulate(amounts.begin(), amounts.end(), tax);
    }
    return tax;
}

// The customer's rule tables kept with the store while it is unchanged.
std::shared_ptr<RuleTables> keptRuleTables(db::Store &store, qint32 customerId)
{
    return db::keptData<RuleTables>(
        store, QStringLiteral("tax::RuleTables"),
        [&] { return std::make_shared<RuleTables>(store.database(), customerId); },
        [&](const RuleTables &tables) { return tables.customerId() == customerId; });
}

} // namespace

double GetTaxFromRules(db::Store &store, const sale::clsSaleItems &items, qint32 customerId)
{
    return diag::run("frmPOS", "GetTaxFromRules", 0.0, [&] {
        const std::shared_ptr<RuleTables> tables = keptRuleTables(store, customerId);
        double tax = 0;
        for (const auto &line : items) {
            if (!line->Taxable())
                continue;
            const double price = line->Price();
            const float qty = line->qty();
            tax += ruleTax(*tables, line->TaxRuleID(),
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
        const std::shared_ptr<RuleTables> tables = keptRuleTables(store, customerId);
        const double tax = ruleTax(*tables, rule,
                                   [&](const std::vector<TaxSplit> &splits, qint16 round) {
                                       return ShippingTaxShares(splits, shipping, round);
                                   });
        return float(tax);
    });
}

} // namespace vanta::tax
