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
// What each agency taxed in each jurisdiction, unrounded.
using Placed = std::map<QString, std::map<QString, double>>;

void addShares(db::Store &store, const std::vector<AgencyShare> &shares, Taxed &taxed, Placed &placed)
{
    for (const AgencyShare &share : shares) {
        if (share.amount <= 0)
            continue;
        const QString agency = GetAgencyName(store.database(), share.agency);
        taxed[agency] += share.amount;
        placed[agency][share.jurisdiction] += share.amount;
    }
}

// Adds `cents` of `agency` to the places, shared among the jurisdictions in
// proportion to `weights` (without one above 0: under no jurisdiction).
void addPlaced(std::vector<PlaceTax> &places, const QString &agency, qint64 cents,
               const std::map<QString, double> &weights)
{
    std::vector<QString> names;
    std::vector<double> amounts;
    for (const auto &[name, weight] : weights) {
        if (weight <= 0)
            continue;
        names.push_back(name);
        amounts.push_back(weight);
    }
    if (names.empty()) {
        names.emplace_back();
        amounts.push_back(1);
    }
    const std::vector<qint64> shares = sale::shareInProportion(cents, amounts);
    for (size_t i = 0; i < names.size(); ++i) {
        if (shares[i] == 0)
            continue;
        auto it = std::find_if(places.begin(), places.end(), [&](const PlaceTax &p) {
            return p.agency == agency && p.jurisdiction == names[i];
        });
        if (it == places.end())
            places.push_back({agency, names[i], shares[i]});
        else
            it->cents += shares[i];
    }
}

// What each agency collected in each jurisdiction on a posted sale, as the
// weights its refunds are shared by; read once per sale.
const std::map<QString, double> &postedWeights(db::Store &store, qint32 saleId, const QString &agency,
                                               std::map<qint32, Placed> &posted)
{
    auto it = posted.find(saleId);
    if (it == posted.end()) {
        Placed placed;
        for (const PlaceTax &p : PostedTaxPlaces(store.database(), saleId))
            placed[p.agency][p.jurisdiction] += double(p.cents);
        it = posted.emplace(saleId, std::move(placed)).first;
    }
    static const std::map<QString, double> none;
    const auto found = it->second.find(agency);
    return found == it->second.end() ? none : found->second;
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
        Placed placed;
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
                addShares(store, LineRuleShares(store, one, *customer), taxed[size_t(position - 1)], placed);
        }
        if (shippingTaxed && customer) {
            if (method == 3)
                addShares(store, ShippingRuleShares(store, shipping, *customer), taxed.back(), placed);
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
            addPlaced(split.places, agency.agency, agency.cents, placed[agency.agency]);
        }
        std::map<qint32, Placed> posted;
        for (int position = 1; position <= items.Count(); ++position) {
            const sale::clsSaleItems::Line line = items.Item(position);
            for (const sale::AgencyTax &refund : line->TaxRefund())
                addPlaced(split.places, refund.agency, -refund.cents,
                          line->ReturnSale() != 0 ? postedWeights(store, line->ReturnSale(), refund.agency, posted)
                                                  : placed[refund.agency]);
        }
        std::erase_if(split.places, [](const PlaceTax &p) { return p.cents == 0; });
        return split;
    });
}

} // namespace vanta::tax
