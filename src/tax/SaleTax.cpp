#include "tax/SaleTax.h"

#include "db/KeptData.h"
#include "diagnostics/Trace.h"
#include "platform/Currency.h"
#include "sale/ReturnLine.h"
#include "sale/clsSaleItems.h"
#include "tax/RulesTax.h"
#include "tax/SalesTax.h"
#include "tax/TaxNumbers.h"
#include "tax/TaxRecording.h"
#include "tax/TaxSettings.h"

#include <algorithm>
#include <map>

namespace vanta::tax {

namespace {

// Adds the rules' shares to the sale's agencies, one entry per agency name;
// each agency's name is read once per sale.
void addShares(db::Store &store, const std::vector<AgencyShare> &shares, std::map<qint16, QString> &names,
               std::vector<std::pair<QString, double>> &owed)
{
    for (const AgencyShare &share : shares) {
        if (share.amount <= 0)
            continue;
        auto named = names.find(share.agency);
        if (named == names.end())
            named = names.emplace(share.agency, GetAgencyName(store.database(), share.agency)).first;
        const QString &name = named->second;
        auto it = std::find_if(owed.begin(), owed.end(), [&](const auto &o) { return o.first == name; });
        if (it == owed.end())
            owed.emplace_back(name, share.amount);
        else
            it->second += share.amount;
    }
}

// What the customer is paid back of the tax on returned lines: the tax each
// line was charged when it was sold, whatever the rates and the customer's
// standing are today. Each agency's refund is taken off its own amount.
void takeOffRefunds(SaleTax &tax, const std::vector<AgencyTax> &refunds)
{
    for (const AgencyTax &refund : refunds) {
        auto it = std::find_if(tax.agencies.begin(), tax.agencies.end(),
                               [&](const AgencyTax &a) { return a.agency == refund.agency; });
        if (it == tax.agencies.end())
            tax.agencies.push_back({refund.agency, -refund.cents});
        else
            it->cents -= refund.cents;
        tax.cents -= refund.cents;
        tax.goods -= double(refund.cents) / 100.0;
    }
}

// The tax of the lines sold now (return lines are no taxable lines).
SaleTax soldTax(db::Store &store, const sale::clsSaleItems &items, std::optional<qint32> customer, double shipping)
{
    SaleTax tax;
    if (!SaleIsTaxable(store, customer))
        return tax;
    const qint16 method = GetTaxMethod(store);
    const bool shippingTaxed = method >= 1 && method <= 3 && shipping > 0 && TaxShipping(store);
    if (method == 1 || method == 2) {
        if (method == 2)
            tax.goods = GetTaxFixed(store, TaxableLines(store, items));
        if (shippingTaxed)
            tax.shipping = shipping * FixedTaxRate(db::asDouble(CompanyField(store, QStringLiteral("sales tax"))));
        tax.cents = toCents(tax.goods + tax.shipping);
        if (method == 2 || tax.cents > 0)
            tax.agencies.push_back({kFixedTaxAgency, tax.cents});
    } else if (method == 3) {
        std::vector<std::pair<QString, double>> owed;
        std::map<qint16, QString> names;
        const std::vector<AgencyShare> lineShares = LineRuleShares(store, TaxableLines(store, items), *customer);
        tax.goods = TotalOf(lineShares);
        addShares(store, lineShares, names, owed);
        if (shippingTaxed) {
            const std::vector<AgencyShare> shippingShares = ShippingRuleShares(store, shipping, *customer);
            tax.shipping = TotalOf(shippingShares);
            addShares(store, shippingShares, names, owed);
        }
        for (const auto &[agency, amount] : owed) {
            tax.agencies.push_back({agency, toCents(amount)});
            tax.cents += tax.agencies.back().cents;
        }
    }
    return tax;
}

} // namespace

SaleTax ComputeSaleTax(db::Store &store, const sale::clsSaleItems &items, std::optional<qint32> customer,
                       double shipping)
{
    return diag::run("frmPOS", "ComputeSaleTax", SaleTax{}, [&] {
        // The settings, customer and rules kept with the store are checked once.
        const db::StampSpan span(store);
        SaleTax tax = soldTax(store, items, customer, shipping);
        takeOffRefunds(tax, sale::taxRefunds(items));
        return tax;
    });
}

} // namespace vanta::tax
