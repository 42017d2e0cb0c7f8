// Thousands of seeded random sales rung up on the sale model, every amount
// compared cent for cent with the pricing and tax rules worked out here in
// whole numbers: line prices and subtotals, the subtotal, the tax (fixed
// rate or rules, with its split by agency), shipping and the total, and for
// some of them the amounts stored when the sale is posted.
#include "posting/SalePosting.h"
#include "sale/LineEdits.h"
#include "support/ScriptedPrompt.h"
#include "support/TaxFixtures.h"
#include "support/TempStore.h"
#include "tax/SaleTax.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

using namespace vanta;
using sale::Good;
using sale::Money;

namespace {

std::string describe(const std::vector<sale::AgencyTax> &agencies)
{
    std::string out;
    for (const auto &a : agencies)
        out += a.agency.toStdString() + "=" + std::to_string(a.cents) + " ";
    return out;
}

// Half away from zero of a non-negative n / d.
qint64 roundedDiv(qint64 n, qint64 d) { return (2 * n + d) / (2 * d); }

struct Item {
    qint32 index = 0;
    qint64 listCents = 0;
    bool taxable = true;
    bool bulk = false;
    qint64 levelCents[3] = {}; // 1-9, 10-49, 50 up
};

// A bracket of a tax type: up to `splitDollars` of the unit price; a
// percentage in hundredths of a percent, or a flat amount in cents.
struct Bracket {
    qint64 splitDollars;
    bool percentage;
    qint64 value;
};
struct TaxType {
    qint32 id;
    qint16 round;
    qint16 agency;
    bool inIllinoisOnly;
    std::vector<Bracket> brackets;
};

// What a line must be: its good, the item it is taxed as, price, quantity
// in hundredths and mark.
struct ExpectedLine {
    Good good;
    qint32 item;
    qint64 priceCents;
    qint64 qtyHundredths;
    bool exempt;
};

class CentForCent : public ::testing::Test {
protected:
    CentForCent()
    {
        test::insertRow(db(), "Tax Agencies", {"id", "Name"}, {1, "State"});
        test::insertRow(db(), "Tax Agencies", {"id", "Name"}, {2, "City"});
        test::addCustomer(db(), {.id = 1, .taxable = true, .state = "IL"});
        test::addCustomer(db(), {.id = 2, .taxable = true, .state = "MO"});
        test::addCustomer(db(), {.id = 3, .taxable = false, .state = "IL"});
        test::addFormat(db(), 1, 1.0f);
        // Rule 1: 6.25 % everywhere (state); in Illinois a city tax of flat
        // 0.05 up to $2, 0.10 up to $10, then 1.75 % (digit 4), and a 0.5 %
        // type rounding up from 0.1 cent (digit 0). Rule 2: 1 % (digit 9).
        // Shipping (rule 3): 5 % of the first $10, 7.25 % beyond (digit 4).
        types = {{100, 4, 1, false, {{9999, true, 625}}},
                 {200, 4, 2, true, {{2, false, 5}, {10, false, 10}, {9999, true, 175}}},
                 {300, 0, 2, true, {{9999, true, 50}}},
                 {400, 9, 1, false, {{9999, true, 100}}},
                 {500, 4, 2, false, {{10, true, 500}, {9999, true, 725}}}};
        for (const TaxType &t : types) {
            test::addTaxType(db(), t.id, t.inIllinoisOnly ? 0 : 7, t.round, t.agency);
            for (const Bracket &b : t.brackets)
                test::addSplit(db(), t.id, double(b.splitDollars), b.percentage,
                               b.percentage ? double(b.value) / 100 : double(b.value) / 100);
            if (t.inIllinoisOnly)
                test::addJurisdiction(db(), t.id, "IL");
            test::addRuleRow(db(), t.id == 500 ? 3 : t.id == 400 ? 2 : 1, t.id);
        }
        std::uniform_int_distribution<int> cents(1, 4999);
        for (qint32 v = 1; v <= 6; ++v) {
            valueCents[v] = qint64(rng() % 500);
            test::addValue(db(), v, float(double(valueCents[v]) / 100));
        }
        for (qint32 i = 1; i <= 40; ++i) {
            Item it{i, cents(rng), i % 7 != 0, i > 30, {}};
            if (it.bulk)
                it.levelCents[0] = it.listCents, it.levelCents[1] = it.listCents * 9 / 10,
                it.levelCents[2] = it.listCents * 4 / 5;
            test::insertRow(db(), "Items",
                            {"Item Index", "Name", "LIST PRICE", "bulkdiscount", "FormatID", "qty", "Taxable",
                             "tax rule id"},
                            {i, QStringLiteral("Item %1").arg(i), double(it.listCents) / 100, it.bulk, 1, 1e6,
                             it.taxable, i % 2 ? 1 : 2});
            if (it.bulk) {
                test::addLevel(db(), i, 9, float(double(it.levelCents[0]) / 100));
                test::addLevel(db(), i, 49, float(double(it.levelCents[1]) / 100));
                test::addLevel(db(), i, -1, float(double(it.levelCents[2]) / 100));
            }
            items.push_back(it);
            // Every fifth plain item comes in a variant of two option values.
            if (!it.bulk && i % 5 == 0)
                test::addSubItem(db(), 1000 + i, i, 1 + i % 6, 1 + (i + 1) % 6, 0, 1e6);
        }
        sale.setTaxWork([this](const sale::Sale &s) {
            return tax::ComputeSaleTax(*ts.store, s.lines(), s.customer(), s.shipping().chargeCents / 100.0);
        });
    }
    const db::Database &db() const { return ts.db(); }

    qint64 unitPrice(const Item &it, qint64 qtyHundredths) const
    {
        if (!it.bulk)
            return it.listCents;
        const qint64 q = qtyHundredths / 100;
        return it.levelCents[q <= 9 ? 0 : q <= 49 ? 1 : 2];
    }

    // The tax by rules of one line, per agency, in cents.
    void ruleTax(const ExpectedLine &l, qint32 rule, bool illinois, std::map<qint16, qint64> &byAgency) const
    {
        for (const TaxType &t : types) {
            if (t.id == 500 || (t.id == 400) != (rule == 2) || (t.inIllinoisOnly && !illinois))
                continue;
            const qint64 k = 10 - (t.round + 1); // thousandths of a dollar added before rounding down
            qint64 tax = 0;
            for (const Bracket &b : t.brackets) {
                if (l.priceCents <= 0 || l.priceCents > b.splitDollars * 100)
                    continue;
                if (!b.percentage) {
                    tax += b.value; // a whole number of cents rounds to itself
                    continue;
                }
                // qty x price x value / 100 in units of 1e-8 dollars.
                const qint64 units = l.priceCents * l.qtyHundredths * b.value;
                tax += (units + k * 100000) / 1000000;
                break;
            }
            if (tax > 0)
                byAgency[t.agency] += tax;
        }
    }

    // The shipping tax by rule 3, per agency, in cents: each bracket taxes
    // the part of the charge between the bound before it and its own.
    void shippingRuleTax(qint64 shippingCents, std::map<qint16, qint64> &byAgency) const
    {
        const TaxType &t = types.back();
        const qint64 k = 10 - (t.round + 1);
        qint64 remaining = shippingCents, previous = 0, tax = 0;
        for (const Bracket &b : t.brackets) {
            if (remaining <= 0)
                break;
            const qint64 part = std::min(remaining, b.splitDollars * 100 - previous);
            tax += (part * b.value + k * 1000) / 10000; // units of 1e-6 dollars
            previous = b.splitDollars * 100;
            remaining = shippingCents - previous;
        }
        if (tax > 0)
            byAgency[t.agency] += tax;
    }

    test::TempStore ts;
    test::ScriptedPrompt prompt;
    sale::Sale sale;
    sale::LineEdits edits{*ts.store, prompt, sale};
    std::mt19937 rng{20261207};
    std::vector<Item> items;
    std::vector<TaxType> types;
    std::map<qint32, qint64> valueCents; // option values' charges
};

} // namespace

TEST_F(CentForCent, RandomSalesComeOutAsTheRulesGive)
{
    const double rates[] = {7, 0.07, 8.25, 6.5};
    const qint64 rateBasisPoints[] = {700, 700, 825, 650};
    std::vector<std::string> disagreements;
    for (int n = 0; n < 2000; ++n) {
        const int rateIndex = int(rng() % 4);
        const qint16 method = rng() % 2 ? 2 : 3;
        const bool shippingTaxed = rng() % 2;
        test::setCompanyTax(db(), method, rates[rateIndex], shippingTaxed, 3);
        const qint32 customer = qint32(1 + rng() % 3);
        sale.startOver(n + 1);
        sale.setCustomer(customer);
        std::vector<ExpectedLine> expected;
        const int lineCount = int(1 + rng() % 5);
        for (int i = 0; i < lineCount; ++i) {
            const Item &it = items[rng() % items.size()];
            // The item as it is, with two options chosen, or its variant.
            const int kind = it.bulk ? 0 : int(rng() % 3);
            Good good = Good::item(it.index);
            qint64 charges = 0;
            if (kind == 1) {
                const qint32 a = qint32(1 + rng() % 6), b = qint32(1 + rng() % 6);
                good = Good::item(it.index, {a, b, 0});
                charges = valueCents[a] + valueCents[b];
            } else if (kind == 2 && it.index % 5 == 0) {
                good = Good::variant(1000 + it.index);
                charges = valueCents[1 + it.index % 6] + valueCents[1 + (it.index + 1) % 6];
            }
            if (std::any_of(expected.begin(), expected.end(), [&](const ExpectedLine &e) { return e.good == good; }))
                continue;
            ASSERT_TRUE(edits.add(good));
            ExpectedLine line{good, it.index, unitPrice(it, 100) + charges, 100, false};
            const int position = int(expected.size()) + 1;
            if (rng() % 2) { // a quantity typed: whole for bulk items, hundredths for others
                line.qtyHundredths = it.bulk ? 100 * qint64(1 + rng() % 80) : qint64(1 + rng() % 2500);
                edits.setQuantity(position, double(line.qtyHundredths) / 100);
                line.priceCents = unitPrice(it, line.qtyHundredths) + charges;
            }
            if (rng() % 6 == 0) { // a price typed
                line.priceCents = qint64(rng() % 10000);
                edits.setPrice(position, Money::fromCents(line.priceCents));
            }
            if (rng() % 4 == 0) {
                line.exempt = true;
                edits.editLine(position, double(line.qtyHundredths) / 100, double(rng() % 500) / 10, true);
            }
            expected.push_back(line);
        }
        const qint64 shippingCents = rng() % 3 ? 0 : qint64(rng() % 3000);
        sale.setShipping({1, "Ground", "Flat", shippingCents});

        // The rules, in whole numbers.
        qint64 subtotal = 0;
        qint64 fixedUnits = 0; // price x qty x rate in 1e-8 dollars
        std::map<qint16, qint64> byAgency;
        const bool taxable = customer != 3;
        for (size_t i = 0; i < expected.size(); ++i) {
            const ExpectedLine &e = expected[i];
            const auto line = sale.lines().Item(int(i) + 1);
            const qint64 lineSubtotal = roundedDiv(e.priceCents * e.qtyHundredths, 100);
            if (line->Price().cents() != e.priceCents || line->Subtotal().cents() != lineSubtotal) {
                disagreements.push_back("sale " + std::to_string(n) + " line " + std::to_string(i + 1) + ": price "
                                        + std::to_string(line->Price().cents()) + "/" + std::to_string(e.priceCents)
                                        + " subtotal " + std::to_string(line->Subtotal().cents()) + "/"
                                        + std::to_string(lineSubtotal));
            }
            subtotal += lineSubtotal;
            const Item &it = items[size_t(e.item - 1)];
            if (!taxable || e.exempt || !it.taxable)
                continue;
            if (method == 2)
                fixedUnits += e.priceCents * e.qtyHundredths * rateBasisPoints[rateIndex];
            else
                ruleTax(e, e.item % 2 ? 1 : 2, customer == 1, byAgency);
        }
        qint64 tax = 0;
        std::vector<sale::AgencyTax> agencies;
        if (taxable && method == 2) {
            const qint64 shippingUnits = shippingTaxed ? shippingCents * 100 * rateBasisPoints[rateIndex] : 0;
            tax = roundedDiv(fixedUnits + shippingUnits, 1000000);
            agencies.push_back({"Fixed Tax", tax});
        } else if (taxable) {
            if (shippingTaxed && shippingCents > 0)
                shippingRuleTax(shippingCents, byAgency);
            for (const auto &[agency, cents] : byAgency) {
                agencies.push_back({agency == 1 ? "State" : "City", cents});
                tax += cents;
            }
        }
        const sale::SaleTotals totals = sale.totals();
        auto sorted = sale.tax().agencies;
        std::sort(sorted.begin(), sorted.end(), [](const auto &a, const auto &b) { return a.agency > b.agency; });
        std::sort(agencies.begin(), agencies.end(), [](const auto &a, const auto &b) { return a.agency > b.agency; });
        if (totals.subtotal != subtotal || totals.tax != tax || totals.shipping != shippingCents
            || totals.totalDue() != subtotal + shippingCents + tax || sorted != agencies)
            disagreements.push_back("sale " + std::to_string(n) + " method " + std::to_string(method) + ": subtotal "
                                    + std::to_string(totals.subtotal) + "/" + std::to_string(subtotal) + " tax "
                                    + std::to_string(totals.tax) + "/" + std::to_string(tax) + " shipping "
                                    + std::to_string(shippingCents) + (shippingTaxed ? " taxed" : "") + " agencies "
                                    + describe(sorted) + "/" + describe(agencies));

        // Every tenth sale is posted: the stored amounts are the ones shown.
        if (n % 10 == 0) {
            sale.setPayType({1, "Cash", sale::PayKind::Cash});
            sale.setTendered(totals.totalDue());
            const posting::PostingRequest request = posting::requestFor(sale, posting::OrdinarySale, 1);
            ASSERT_TRUE(posting::PostSale(*ts.store, sale.lines(), request, prompt)) << n;
            db::Recordset row =
                db().openQuery("SELECT \"total of sale\", Tax FROM Sales WHERE \"Sales ID\" = ?", {sale.number()});
            EXPECT_EQ(Money::fromSingle(db::asSingle(row.field(0))).cents(), subtotal + shippingCents + tax) << n;
            EXPECT_EQ(Money::fromSingle(db::asSingle(row.field(1))).cents(), tax) << n;
            const double recorded =
                db().scalar("SELECT COALESCE(sum(total), 0) FROM \"Tax Holder\" WHERE \"Sale ID\" = ?", {sale.number()})
                    .toDouble();
            EXPECT_EQ(qRound64(recorded * 100), tax) << n;
            // By jurisdiction: agency by agency what `Tax Holder` holds.
            EXPECT_EQ(db().scalar("SELECT count(*) FROM \"Tax Holder\" h WHERE h.\"Sale ID\" = ? AND round(h.total * 100) <> "
                                  "(SELECT COALESCE(round(sum(j.total) * 100), 0) FROM \"Tax Jurisdictions\" j "
                                  "WHERE j.\"Sale ID\" = h.\"Sale ID\" AND j.\"Tax agency\" = h.\"Tax agency\")",
                                  {sale.number()})
                          .toInt(),
                      0)
                << n;
            // Line by line: the subtotals add up to the sale's, and the lines'
            // tax to the tax less what the shipping carried.
            const auto cents = [&](const char *sql) { return qRound64(db().scalar(sql, {sale.number()}).toDouble() * 100); };
            EXPECT_EQ(cents("SELECT COALESCE(sum(subtotal), 0) FROM \"Sold Line Paid\" WHERE \"sales id\" = ?"),
                      subtotal) << n;
            const qint64 linesTax = cents("SELECT COALESCE(sum(total), 0) FROM \"Sold Line Tax\" WHERE \"sales id\" = ?");
            if (shippingTaxed)
                EXPECT_TRUE(linesTax >= 0 && linesTax <= tax) << n;
            else
                EXPECT_EQ(linesTax, tax) << n;
        }
    }
    for (size_t i = 0; i < std::min<size_t>(disagreements.size(), 20); ++i)
        ADD_FAILURE() << disagreements[i];
}
