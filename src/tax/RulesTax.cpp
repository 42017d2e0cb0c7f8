#include "tax/RulesTax.h"

#include "db/KeptData.h"
#include "diagnostics/Trace.h"
#include "sale/clsSaleItems.h"
#include "tax/RuleTables.h"
#include "tax/TaxNumbers.h"
#include "tax/TaxRuleTables.h"
#include "tax/TaxSettings.h"

#include <numeric>

namespace vanta::tax {

namespace {

// Adds, for every tax type of the rule that applies to the customer, the sum
// of the amounts `shares` gives for the type's brackets.
template <typename Shares>
void addRuleShares(RuleTables &tables, qint32 ruleId, Shares &&shares, std::vector<AgencyShare> &out)
{
    for (const TaxType &type : tables.types(ruleId)) {
        const std::optional<QString> &place = tables.jurisdiction(type);
        if (!place)
            continue;
        const std::vector<double> amounts = shares(tables.splits(type.id), type.round);
        out.push_back({type.agency, std::accumulate(amounts.begin(), amounts.end(), 0.0), *place});
    }
}

// The customer's rule tables kept with the store while it is unchanged.
std::shared_ptr<RuleTables> keptRuleTables(db::Store &store, qint32 customerId)
{
    return db::keptData<RuleTables>(
        store, QStringLiteral("tax::RuleTables"),
        {QStringLiteral("Tax Rule Definitions"), QStringLiteral("Tax Types"), QStringLiteral("Tax splits"),
         QStringLiteral("jurisdictions"), QStringLiteral("Customers")},
        [&] { return std::make_shared<RuleTables>(store.database(), customerId); },
        [&](const RuleTables &tables) { return tables.customerId() == customerId; });
}

} // namespace

double TotalOf(const std::vector<AgencyShare> &shares)
{
    double tax = 0;
    for (const AgencyShare &s : shares)
        tax += s.amount;
    return tax;
}

std::vector<AgencyShare> LineRuleShares(db::Store &store, const sale::clsSaleItems &items, qint32 customerId)
{
    const std::shared_ptr<RuleTables> tables = keptRuleTables(store, customerId);
    std::vector<AgencyShare> shares;
    for (const auto &line : items) {
        if (!line->Taxable())
            continue;
        const double price = line->Price().dollars();
        const float qty = line->qty();
        addRuleShares(*tables, line->TaxRuleID(),
                      [&](const std::vector<TaxSplit> &splits, qint16 round) {
                          return LineTaxShares(splits, price, qty, round);
                      },
                      shares);
    }
    return shares;
}

std::vector<AgencyShare> ShippingRuleShares(db::Store &store, double shipping, qint32 customerId)
{
    const qint16 rule = asInteger(CompanyField(store, QStringLiteral("shipping tax rule")));
    const std::shared_ptr<RuleTables> tables = keptRuleTables(store, customerId);
    std::vector<AgencyShare> shares;
    addRuleShares(*tables, rule,
                  [&](const std::vector<TaxSplit> &splits, qint16 round) {
                      return ShippingTaxShares(splits, shipping, round);
                  },
                  shares);
    return shares;
}

double GetTaxFromRules(db::Store &store, const sale::clsSaleItems &items, qint32 customerId)
{
    return diag::run("frmPOS", "GetTaxFromRules", 0.0, [&] { return TotalOf(LineRuleShares(store, items, customerId)); });
}

float GetShippingTaxFromTaxRules(db::Store &store, float shipping, qint32 customerId)
{
    return diag::run("frmPOS", "GetShippingTaxFromTaxRules", 0.0f,
                     [&] { return float(TotalOf(ShippingRuleShares(store, shipping, customerId))); });
}

} // namespace vanta::tax
