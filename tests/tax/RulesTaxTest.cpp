#include "tax/RulesTax.h"
#include "tax/TaxRuleTables.h"
#include "support/TaxFixtures.h"

using namespace vanta;
using namespace vanta::tax;

namespace {

class RulesTax : public test::SaleStoreTest {
protected:
    double lineTax(float price, float qty, qint32 rule, qint32 customer = 1)
    {
        return GetTaxFromRules(store(), test::saleOf({{.item = 10, .price = price, .qty = qty, .rule = rule}}),
                               customer);
    }
};

} // namespace

TEST_F(RulesTax, UnitPricePicksTheBracket)
{
    test::addCustomer(db(), {.id = 1});
    // Rule 1: 5 % up to 10, 7 % above. Rule 2: flat 0.25 up to 5, flat 0.10
    // up to 20, then 5 %. Rule 3: a missing tax type. Rule 4 has no rows.
    test::addTaxType(db(), 100, 7, 4);
    test::addSplits(db(), 100, {{9999, true, 7}, {10, true, 5}});
    test::addRuleRow(db(), 1, 100);
    test::addTaxType(db(), 200, 7, 4);
    test::addSplits(db(), 200, {{5, false, 0.25}, {20, false, 0.10}, {9999, true, 5}});
    test::addRuleRow(db(), 2, 200);
    test::addRuleRow(db(), 3, 404);

    EXPECT_DOUBLE_EQ(lineTax(10.00f, 3, 1), 1.50) << "10.00 is inside the 5 % bracket";
    EXPECT_DOUBLE_EQ(lineTax(10.01f, 2, 1), 1.40) << "10.01 uses 7 % on 20.02, rounded to cents";
    EXPECT_DOUBLE_EQ(lineTax(0, 2, 1), 0.0);
    EXPECT_DOUBLE_EQ(lineTax(-5, 2, 1), 0.0);

    EXPECT_NEAR(lineTax(3, 2, 2), 0.25 + 0.10 + 0.30, 1e-9) << "both flat amounts once, then 5 % of 6.00";
    EXPECT_NEAR(lineTax(10, 4, 2), 0.10 + 2.00, 1e-9);
    EXPECT_NEAR(lineTax(30, 1, 2), 1.50, 1e-9);
    EXPECT_DOUBLE_EQ(lineTax(10, 1, 3), 0.0);
    EXPECT_DOUBLE_EQ(lineTax(10, 1, 4), 0.0);

    // Rule 5 combines both types; a line not marked taxable adds nothing.
    test::addRuleRow(db(), 5, 200);
    test::addRuleRow(db(), 5, 100);
    const sale::clsSaleItems items = test::saleOf({
        {.item = 10, .price = 10, .qty = 1, .rule = 5},
        {.item = 11, .price = 10, .qty = 1, .taxable = false, .rule = 5},
    });
    EXPECT_NEAR(GetTaxFromRules(store(), items, 1), 0.50 + 0.10 + 0.50, 1e-9);
}

TEST_F(RulesTax, JurisdictionsByCustomerColumn)
{
    test::addCustomer(db(), {.id = 1, .state = "  ca ", .city = "Springfield", .fips = "06075"});
    test::addCustomer(db(), {.id = 2, .state = "NY"});
    test::addCustomer(db(), {.id = 3}); // every address part null
    test::addCustomer(db(), {.id = 4, .city = ""});
    test::addJurisdiction(db(), 1, "CA ");
    test::addJurisdiction(db(), 1, "OR");
    test::addJurisdiction(db(), 2, "springfield");
    test::addJurisdiction(db(), 2, QVariant()); // names no place
    test::addJurisdiction(db(), 3, "06075");
    test::addJurisdiction(db(), 4, "2");

    EXPECT_TRUE(InJurisdiction(store(), 1, 1, 0)) << "state, case and spaces ignored";
    EXPECT_FALSE(InJurisdiction(store(), 1, 2, 0));
    EXPECT_FALSE(InJurisdiction(store(), 1, 3, 0)) << "null state is nowhere";
    EXPECT_FALSE(InJurisdiction(store(), 1, 404, 0)) << "unknown customer";
    EXPECT_TRUE(InJurisdiction(store(), 2, 1, 1)) << "city";
    EXPECT_FALSE(InJurisdiction(store(), 2, 4, 1)) << "an empty city matches no null jurisdiction";
    EXPECT_TRUE(InJurisdiction(store(), 3, 1, 4)) << "FIPS code";
    EXPECT_FALSE(InJurisdiction(store(), 3, 1, 0));
    EXPECT_TRUE(InJurisdiction(store(), 4, 2, 8)) << "other types read column 0, the customer number";
    EXPECT_TRUE(InJurisdiction(store(), 99, 404, 7)) << "type 7 applies everywhere";
    // Where: the jurisdiction as stored, trimmed; everywhere is no place.
    EXPECT_EQ(MatchedJurisdiction(db(), 1, 1, 0), QStringLiteral("CA"));
    EXPECT_EQ(MatchedJurisdiction(db(), 2, 1, 1), QStringLiteral("springfield"));
    EXPECT_EQ(MatchedJurisdiction(db(), 99, 404, 7), QString());
    EXPECT_EQ(MatchedJurisdiction(db(), 1, 2, 0), std::nullopt);

    // The rules tax counts only the types that apply to the customer.
    test::addTaxType(db(), 1, 0, 4);
    test::addSplit(db(), 1, 9999, true, 5);
    test::addTaxType(db(), 7, 7, 4);
    test::addSplit(db(), 7, 9999, true, 1);
    test::addRuleRow(db(), 9, 1);
    test::addRuleRow(db(), 9, 7);
    EXPECT_NEAR(lineTax(20, 1, 9, 1), 1.00 + 0.20, 1e-9);
    EXPECT_NEAR(lineTax(20, 1, 9, 2), 0.20, 1e-9);
    EXPECT_NEAR(lineTax(20, 1, 9, 3), 0.20, 1e-9);
}

TEST_F(RulesTax, ShippingIsTaxedBracketByBracket)
{
    test::addCustomer(db(), {.id = 1});
    test::addTaxType(db(), 30, 7, 4);
    test::addSplits(db(), 30, {{100, true, 5}, {9999, true, 7}});
    test::addRuleRow(db(), 6, 30);
    test::setCompanyTax(db(), 3, 0, true, 6);

    EXPECT_FLOAT_EQ(GetShippingTaxFromTaxRules(store(), 150, 1), 8.50f);
    EXPECT_FLOAT_EQ(GetShippingTaxFromTaxRules(store(), 80, 1), 4.00f);
    EXPECT_FLOAT_EQ(GetShippingTaxFromTaxRules(store(), 0, 1), 0.0f);

    // A null shipping rule means rule 0; flat brackets add their amount once
    // any of the charge reaches them.
    test::addTaxType(db(), 31, 7, 4);
    test::addSplits(db(), 31, {{10, false, 1.25}, {50, false, 2.00}, {9999, true, 10}});
    test::addRuleRow(db(), 0, 31);
    test::setCompanyTax(db(), 3, 0, true);
    EXPECT_FLOAT_EQ(GetShippingTaxFromTaxRules(store(), 8, 1), 1.25f);
    EXPECT_FLOAT_EQ(GetShippingTaxFromTaxRules(store(), 60, 1), 1.25f + 2.00f + 1.00f);
}
