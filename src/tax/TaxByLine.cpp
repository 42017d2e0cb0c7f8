#include "tax/TaxByLine.h"

#include "db/KeptData.h"
#include "diagnostics/Trace.h"
#include "sale/Proportion.h"
#include "sale/ReturnLine.h"
#include "sale/clsSaleItems.h"
#include "tax/RulesTax.h"
#include "tax/SaleTax.h"
#include "tax/SalesTax.h"
#include "tax/TaxNumbers.h"
#include "tax/TaxRecording.h"
#include "tax/TaxSettings.h"

#include <algorithm>
#include <map>

namespace vanta::tax {

namespace {

// What each agency (by name) taxed one line or the shipping, unrounded.
using Taxed = std::map<QString, double>;

void addShares(db::Store &store, const std::vector<AgencyShare> &shares, Taxed &taxed)
{
    for (const AgencyShare &share : shares)
        if (share.amount > 0)
            taxed[GetAgencyName(store.database(), share.agency)] += share.amount;
}

} // namespace

TaxByLine SplitTaxByLine(db::Store &store, const sale::clsSaleItems &items, std::optional<qint32> customer,
                         double shipping, const sale::SaleTax &charged)
{
    return diag::run("frmPOS", "SplitTaxByLine", TaxByLine{}, [&] {
        const db::StampSpan span(store);
        const qint16 method = GetTaxMethod(store);
        const bool shippingTaxed = method >= 1 && method <= 3 && shipping > 0 && TaxShipping(store);
        // What each line and the shipping were taxed by each agency, unrounded.
        std::vector<Taxed> taxed(size_t(items.Count()) + 1); // the shipping last
        const sale::clsSaleItems taxable = TaxableLines(store, items);
        for (int position = 1; position <= items.Count(); ++position) {
            const sale::clsSaleItems::Line line = items.Item(position);
            if (!taxable.Find(line->good()) || !customer)
                continue;
            sale::clsSaleItems one;
            one.AddSaleItem(line);
            if (method == 2)
                taxed[size_t(position - 1)][kFixedTaxAgency] += GetTaxFixed(store, one);
            else if (method == 3)
                addShares(store, LineRuleShares(store, one, *customer), taxed[size_t(position - 1)]);
        }
        if (shippingTaxed && customer) {
            if (method == 3)
                addShares(store, ShippingRuleShares(store, shipping, *customer), taxed.back());
            else
                taxed.back()[kFixedTaxAgency] +=
                    shipping * FixedTaxRate(db::asDouble(CompanyField(store, QStringLiteral("sales tax"))));
        }

        TaxByLine split;
        split.lines.resize(size_t(items.Count()));
        // A return line refunds what it was charged when sold; what is left
        // of each agency's amount is shared among the lines sold now.
        const std::vector<sale::AgencyTax> refunds = sale::taxRefunds(items);
        for (int position = 1; position <= items.Count(); ++position)
            for (const sale::AgencyTax &refund : items.Item(position)->TaxRefund())
                split.lines[size_t(position - 1)].push_back({refund.agency, -refund.cents});
        for (sale::AgencyTax agency : charged.agencies) {
            for (const sale::AgencyTax &refund : refunds)
                if (refund.agency == agency.agency)
                    agency.cents += refund.cents;
            std::vector<double> weights;
            for (const Taxed &t : taxed) {
                const auto it = t.find(agency.agency);
                weights.push_back(it == t.end() ? 0.0 : it->second);
            }
            if (std::all_of(weights.begin(), weights.end(), [](double w) { return w <= 0; }))
                weights.back() = 1; // taxed for nothing that is known: kept with the shipping
            const std::vector<qint64> shares = sale::shareInProportion(agency.cents, weights);
            for (size_t i = 0; i < split.lines.size(); ++i)
                if (shares[i] != 0)
                    split.lines[i].push_back({agency.agency, shares[i]});
            if (shares.back() != 0)
                split.shipping.push_back({agency.agency, shares.back()});
        }
        return split;
    });
}

} // namespace vanta::tax
