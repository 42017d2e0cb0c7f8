#include "tax/SaleTax.h"
#include "tax/TaxByLine.h"
#include "tax/SalesTax.h"
#include "tax/TaxSettings.h"
#include "support/TaxFixtures.h"

using namespace vanta;
using namespace vanta::tax;

namespace {

class SalesTax : public test::SaleStoreTest {
protected:
    // Taxable customer 1 in "CA", non-taxable customer 2; rule 5 charges
    // 5 % up to 100 and 7 % above, everywhere (used for lines and shipping).
    void SetUp() override
    {
        test::SaleStoreTest::SetUp();
        test::addCustomer(db(), {.id = 1, .taxable = true, .state = "CA"});
        test::addCustomer(db(), {.id = 2, .taxable = false});
        test::addTaxItem(db(), 10, true);
        test::addTaxType(db(), 50, 7, 4);
        test::addRuleRow(db(), 5, 50);
        test::addSplits(db(), 50, {{100, true, 5}, {9999, true, 7}});
    }
};

} // namespace

// Which lines owe tax: the line's own mark and the item's stored flag must
// both allow it; a variant follows its parent item.
TEST_F(SalesTax, TaxableLinesNeedTheirMarkAndTheirItem)
{
    test::addTaxItem(db(), 11, false);
    test::addTaxItem(db(), 20, true);
    test::addSubItem(db(), 300, 20);  // parent taxable
    test::addSubItem(db(), 301, 11);  // parent not taxable
    test::addSubItem(db(), 302, 404); // parent missing
    test::addSubItem(db(), 10, 11);   // numbered like taxable item 10
    const sale::clsSaleItems items = test::saleOf({
        {.item = 10, .price = 10, .qty = 2},
        {.item = 10, .price = 10, .qty = 1, .taxable = false, .option = 1}, // marked exempt
        {.item = 11, .price = 5, .qty = 1},                                  // stored non-taxable
        {.item = 300, .price = 4, .qty = 1, .variant = true},
        {.item = 300, .price = 4, .qty = 1, .taxable = false, .option = 1, .variant = true},
        {.item = 301, .price = 8, .qty = 1, .variant = true},
        {.item = 302, .price = 8, .qty = 1, .variant = true},
        {.item = 10, .price = 8, .qty = 1, .variant = true}, // variant 10 of item 11
        {.item = 999, .price = 100, .qty = 1},
    });
    std::vector<sale::Good> goods;
    for (const auto &line : TaxableLines(store(), items))
        goods.push_back(line->good());
    EXPECT_EQ(goods, (std::vector<sale::Good>{sale::Good::item(10), sale::Good::variant(300)}));

    test::setCompanyTax(db(), 2, 7);
    EXPECT_NEAR(GetTaxFixed(store(), TaxableLines(store(), items)), 24 * 0.07, 1e-9);
    test::setCompanyTax(db(), 2, 0.07);
    EXPECT_NEAR(GetTaxFixed(store(), TaxableLines(store(), items)), 24 * 0.07, 1e-9) << "0.07 is the same rate as 7";
    EXPECT_EQ(Get_Tax(store()), 0.07);

    db().execute("DELETE FROM \"Company\"");
    EXPECT_DOUBLE_EQ(GetTaxFixed(store(), items), 0.0);
    EXPECT_EQ(Get_Tax(store()), std::nullopt);
    EXPECT_EQ(GetTaxMethod(store()), 0);
    EXPECT_FALSE(TaxShipping(store()));
}

// Two $10.00 lines at 7 %, the second marked exempt: $0.70 shown, charged
// and recorded for the agency; the same under the rules.
TEST_F(SalesTax, AnExemptLinePaysNoTaxUnderEitherMethod)
{
    const sale::clsSaleItems items = test::saleOf({{.item = 10, .price = 10, .rule = 5},
                                                   {.item = 10, .price = 10, .taxable = false, .rule = 5, .option = 1}});
    test::setCompanyTax(db(), 2, 7);
    SaleTax tax = ComputeSaleTax(store(), items, 1, 0);
    EXPECT_EQ(tax.cents, 70);
    EXPECT_EQ(tax.agencies, (std::vector<AgencyTax>{{"Fixed Tax", 70}}));

    test::setCompanyTax(db(), 3, 7);
    tax = ComputeSaleTax(store(), items, 1, 0);
    EXPECT_EQ(tax.cents, 50) << "rule 5: 5 % up to 100";
    EXPECT_EQ(tax.agencies, (std::vector<AgencyTax>{{"", 50}})) << "agency 1 has no name here";
}

// Every tax method and customer, goods and shipping, in one computation.
TEST_F(SalesTax, MethodsCustomersAndShipping)
{
    test::insertRow(db(), "Tax Agencies", {"id", "Name"}, {1, "State"});
    const sale::clsSaleItems items = test::saleOf({{.item = 10, .price = 10, .qty = 3, .rule = 5}});
    struct Case {
        qint16 method;
        bool shippingTaxed;
        std::optional<qint32> customer;
        qint64 cents;
        std::vector<AgencyTax> agencies;
    };
    // Goods $30.00, shipping $150.00; the fixed rate is 7 %, rule 5 charges
    // 5 % (shipping: 5 % of the first 100, 7 % of the rest).
    const Case cases[] = {
        {2, false, 1, 210, {{"Fixed Tax", 210}}},
        {2, true, 1, 210 + 1050, {{"Fixed Tax", 1260}}},
        {1, false, 1, 0, {}},
        {1, true, 1, 1050, {{"Fixed Tax", 1050}}},
        {3, false, 1, 150, {{"State", 150}}},
        {3, true, 1, 150 + 500 + 350, {{"State", 1000}}},
        {0, true, 1, 0, {}},
        {9, true, 1, 0, {}},
        {2, true, std::nullopt, 0, {}}, // no customer chosen
        {2, true, 2, 0, {}},            // customer not taxable
        {3, true, 2, 0, {}},
        {2, true, 404, 0, {}},          // unknown customer
    };
    for (const Case &c : cases) {
        test::setCompanyTax(db(), c.method, 7, c.shippingTaxed, 5);
        const SaleTax tax = ComputeSaleTax(store(), items, c.customer, 150);
        const std::string what = "method " + std::to_string(c.method) + (c.shippingTaxed ? " shipping taxed" : "")
                                 + " customer " + std::to_string(c.customer.value_or(0));
        EXPECT_EQ(tax.cents, c.cents) << what;
        EXPECT_EQ(tax.agencies, c.agencies) << what;
    }
    test::setCompanyTax(db(), 2, 7, true);
    EXPECT_EQ(ComputeSaleTax(store(), items, 1, 0).cents, 210) << "no shipping, no shipping tax";
    EXPECT_EQ(ComputeSaleTax(store(), sale::clsSaleItems(), 1, 0).agencies, (std::vector<AgencyTax>{{"Fixed Tax", 0}}))
        << "the fixed method records its agency even at 0";
}

// The fixed rate reads the same for goods and shipping: stored as 0.07 or
// as 7, $49.99 of goods and $5.00 of shipping owe $3.50 + $0.35.
TEST_F(SalesTax, TheFixedRateReadsTheSameForShipping)
{
    const sale::clsSaleItems items = test::saleOf({{.item = 10, .price = 49.99f}});
    for (const double rate : {7.0, 0.07}) {
        test::setCompanyTax(db(), 2, rate, true);
        const SaleTax tax = ComputeSaleTax(store(), items, 1, 5.0);
        EXPECT_EQ(tax.cents, 385) << rate;
        EXPECT_NEAR(tax.shipping, 0.35, 1e-6) << rate;
        EXPECT_EQ(tax.agencies, (std::vector<AgencyTax>{{"Fixed Tax", 385}})) << rate;
    }
}

// The tax charged, line by line: each agency's amount shared among the
// lines (and the shipping) it taxed, adding up to what was charged.
TEST_F(SalesTax, TheTaxChargedIsSharedLineByLine)
{
    test::insertRow(db(), "Tax Agencies", {"id", "Name"}, {1, "State"});
    test::insertRow(db(), "Tax Agencies", {"id", "Name"}, {2, "County"});
    test::addTaxItem(db(), 11, true);
    test::addTaxType(db(), 60, 7, 4, 2);
    test::addRuleRow(db(), 6, 60);
    test::addRuleRow(db(), 6, 50);
    test::addSplit(db(), 60, 9999, true, 1);
    const sale::clsSaleItems items = test::saleOf({{.item = 10, .price = 10, .qty = 3, .rule = 5},
                                                   {.item = 11, .price = 0.99f, .qty = 1, .rule = 6},
                                                   {.item = 10, .price = 5, .taxable = false, .rule = 5, .option = 1}});
    const auto sum = [](const std::vector<AgencyTax> &taxes, const QString &agency) {
        qint64 total = 0;
        for (const AgencyTax &t : taxes)
            total += t.agency == agency ? t.cents : 0;
        return total;
    };

    // Fixed 7 %: $2.10 and $0.07 of goods, $0.35 of shipping: $2.52.
    test::setCompanyTax(db(), 2, 7, true);
    SaleTax charged = ComputeSaleTax(store(), items, 1, 5);
    ASSERT_EQ(charged.cents, 252);
    TaxByLine split = SplitTaxByLine(store(), items, 1, 5, charged);
    ASSERT_EQ(split.lines.size(), 3u);
    EXPECT_EQ(split.lines[0], (std::vector<AgencyTax>{{"Fixed Tax", 210}}));
    EXPECT_EQ(split.lines[1], (std::vector<AgencyTax>{{"Fixed Tax", 7}}));
    EXPECT_TRUE(split.lines[2].empty()) << "the exempt line paid none";
    EXPECT_EQ(split.shipping, (std::vector<AgencyTax>{{"Fixed Tax", 35}}));

    // By rules, two agencies: State 5 % on both lines ($1.50 + $0.05),
    // County 1 % on the second only ($0.0099, rounded into the total).
    test::setCompanyTax(db(), 3, 7, false);
    charged = ComputeSaleTax(store(), items, 1, 5);
    split = SplitTaxByLine(store(), items, 1, 5, charged);
    for (const AgencyTax &agency : charged.agencies)
        EXPECT_EQ(sum(split.lines[0], agency.agency) + sum(split.lines[1], agency.agency)
                      + sum(split.shipping, agency.agency),
                  agency.cents)
            << qPrintable(agency.agency);
    EXPECT_EQ(sum(split.lines[0], "State"), 150);
    EXPECT_EQ(sum(split.lines[0], "County"), 0);
    EXPECT_TRUE(split.lines[2].empty());
    EXPECT_TRUE(split.shipping.empty()) << "shipping not taxed";

    // A customer who is not taxable was charged nothing: nothing to share.
    split = SplitTaxByLine(store(), items, 2, 5, ComputeSaleTax(store(), items, 2, 5));
    EXPECT_TRUE(split.lines[0].empty() && split.lines[1].empty() && split.shipping.empty());
}

// The tax by jurisdiction: each agency's amount shared among the places its
// types matched for the customer; refunds set against their sale's places.
TEST_F(SalesTax, TheTaxChargedIsSharedByJurisdiction)
{
    test::insertRow(db(), "Tax Agencies", {"id", "Name"}, {1, "State"});
    test::insertRow(db(), "Tax Agencies", {"id", "Name"}, {2, "City"});
    test::addCustomer(db(), {.id = 3, .state = " ca", .city = "Springfield"});
    // Rule 7: State 5 % everywhere (type 50) and 2 % in CA; City 1 % in
    // Springfield, nothing in Shelbyville.
    test::addTaxType(db(), 70, 0, 4, 1);
    test::addSplit(db(), 70, 9999, true, 2);
    test::addJurisdiction(db(), 70, "CA ");
    test::addTaxType(db(), 71, 1, 4, 2);
    test::addSplit(db(), 71, 9999, true, 1);
    test::addJurisdiction(db(), 71, "Springfield");
    test::addTaxType(db(), 72, 1, 4, 2);
    test::addSplit(db(), 72, 9999, true, 3);
    test::addJurisdiction(db(), 72, "Shelbyville");
    for (const qint32 type : {50, 70, 71, 72})
        test::addRuleRow(db(), 7, type);
    test::setCompanyTax(db(), 3, 0);
    for (const auto &[place, total] : {std::pair{"CA", 3.0}, {"", 1.0}, {"NV", -0.5}})
        test::insertRow(db(), "Tax Jurisdictions", {"Sale ID", "Tax agency", "Jurisdiction", "total"},
                        {900, "State", place, total});

    // 3.33 sold: State 0.17 everywhere + 0.07 in CA, City 0.03.
    sale::clsSaleItems items = test::saleOf({{.item = 10, .price = 3.33f, .qty = 1, .rule = 7}});
    SaleTax charged = ComputeSaleTax(store(), items, 3, 0);
    EXPECT_EQ(SplitTaxByLine(store(), items, 3, 0, charged).places,
              (std::vector<PlaceTax>{{"State", "", 17}, {"State", "CA", 7}, {"City", "Springfield", 3}}));

    // Refunds: 41 cents of State from sale 900 (posted 3.00 in CA, 1.00
    // everywhere: 30.75 : 10.25, the larger remainder takes the odd cent;
    // the negative row weighs nothing), 5 cents of State from
    // sale 901 (posted before jurisdictions: none), and 2 cents of City
    // without a receipt (against this sale's City places).
    const auto refund = [&](qint32 sale, std::vector<AgencyTax> tax) {
        auto line = std::make_shared<sale::clsSaleItem>();
        line->setGood(sale::Good::item(20 + items.Count()));
        line->setQty(-1);
        line->setReturnSale(sale);
        line->setTaxRefund(std::move(tax));
        items.AddSaleItem(line);
    };
    refund(900, {{"State", 41}});
    refund(901, {{"State", 5}});
    refund(0, {{"City", 2}});
    charged = ComputeSaleTax(store(), items, 3, 0);
    const std::vector<PlaceTax> places = SplitTaxByLine(store(), items, 3, 0, charged).places;
    EXPECT_EQ(places,
              (std::vector<PlaceTax>{{"State", "", 17 - 10 - 5}, {"State", "CA", 7 - 31}, {"City", "Springfield", 3 - 2}}));
    for (const AgencyTax &agency : charged.agencies) {
        qint64 placed = 0;
        for (const PlaceTax &p : places)
            placed += p.agency == agency.agency ? p.cents : 0;
        EXPECT_EQ(placed, agency.cents) << qPrintable(agency.agency);
    }

    // The fixed rate is under no jurisdiction.
    test::setCompanyTax(db(), 2, 7);
    items = test::saleOf({{.item = 10, .price = 10, .qty = 1}});
    charged = ComputeSaleTax(store(), items, 3, 0);
    EXPECT_EQ(SplitTaxByLine(store(), items, 3, 0, charged).places, (std::vector<PlaceTax>{{"Fixed Tax", "", 70}}));
}
