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
        test::addSplit(db(), 50, 100, true, 5);
        test::addSplit(db(), 50, 9999, true, 7);
    }
};

} // namespace

TEST_F(SalesTax, FixedRateTaxesStoredTaxableItems)
{
    test::addTaxItem(db(), 11, false);
    test::addTaxItem(db(), 20, true);
    test::addSubItem(db(), 300, 20);  // parent taxable
    test::addSubItem(db(), 301, 11);  // parent not taxable
    test::addSubItem(db(), 302, 404); // parent missing
    const sale::clsSaleItems items = test::saleOf({
        {.item = 10, .price = 10, .qty = 2},
        {.item = 11, .price = 5, .qty = 1, .taxable = true}, // stored non-taxable wins
        {.item = 300, .price = 4, .qty = 1, .taxable = false, .variant = true}, // parent's Taxable decides
        {.item = 301, .price = 8, .qty = 1, .variant = true},
        {.item = 302, .price = 8, .qty = 1, .variant = true},
        {.item = 999, .price = 100, .qty = 1},
    });

    test::setCompanyTax(db(), 2, 7);
    EXPECT_NEAR(GetTaxFixed(store(), items), 24 * 0.07, 1e-9);
    test::setCompanyTax(db(), 2, 0.07);
    EXPECT_NEAR(GetTaxFixed(store(), items), 24 * 0.07, 1e-9) << "0.07 is the same rate as 7";
    EXPECT_EQ(Get_Tax(store()), 0.07);

    db().execute("DELETE FROM \"Company\"");
    EXPECT_DOUBLE_EQ(GetTaxFixed(store(), items), 0.0);
    EXPECT_EQ(Get_Tax(store()), std::nullopt);
    EXPECT_EQ(GetTaxMethod(store()), 0);
    EXPECT_FALSE(TaxShipping(store()));
}

TEST_F(SalesTax, RefreshFollowsCustomerAndMethod)
{
    const sale::clsSaleItems items = test::saleOf({{.item = 10, .price = 10, .qty = 3, .rule = 5}});
    TaxAmounts amounts{.SalesTaxAmount = 9, .ShippingTaxAmount = 4};

    test::setCompanyTax(db(), 2, 7);
    RefreshTax(store(), items, std::nullopt, amounts);
    EXPECT_EQ(amounts.SalesTaxAmount, 0.0f) << "no customer selected";
    EXPECT_EQ(amounts.ShippingTaxAmount, 0.0f);

    amounts = {9, 4};
    RefreshTax(store(), items, 2, amounts);
    EXPECT_EQ(amounts.shown(), 0.0f) << "non-taxable customer clears shipping tax too";
    amounts = {9, 4};
    RefreshTax(store(), items, 404, amounts);
    EXPECT_EQ(amounts.shown(), 0.0f) << "unknown customer is not taxable";

    amounts = {9, 4};
    RefreshTax(store(), items, 1, amounts);
    EXPECT_FLOAT_EQ(amounts.SalesTaxAmount, 2.1f);
    EXPECT_EQ(amounts.ShippingTaxAmount, 4.0f) << "shipping tax is kept";

    test::setCompanyTax(db(), 3, 7);
    RefreshTax(store(), items, 1, amounts);
    EXPECT_FLOAT_EQ(amounts.SalesTaxAmount, 1.5f) << "rules: 3 x 10.00 at 5 %";

    for (qint16 method : {0, 1, 9}) {
        test::setCompanyTax(db(), method, 7);
        amounts = {9, 4};
        RefreshTax(store(), items, 1, amounts);
        EXPECT_EQ(amounts.SalesTaxAmount, 9.0f) << "method " << method << " leaves the line tax";
    }
}

TEST_F(SalesTax, ShippingTaxByMethod)
{
    TaxAmounts amounts;
    test::setCompanyTax(db(), 2, 7, true);
    EXPECT_TRUE(TaxShipping(store()));
    AddShippingTax(store(), 1, 10, amounts);
    EXPECT_FLOAT_EQ(amounts.ShippingTaxAmount, 0.7f);

    test::setCompanyTax(db(), 2, 0.07, true);
    AddShippingTax(store(), 1, 10, amounts);
    EXPECT_FLOAT_EQ(amounts.ShippingTaxAmount, 0.007f) << "shipping always divides the rate by 100";

    // Option 1: no line tax, but shipping is taxed at the fixed rate.
    test::setCompanyTax(db(), 1, 7, true);
    amounts = {};
    RefreshTax(store(), test::saleOf({{.item = 10, .price = 10, .qty = 1}}), 1, amounts);
    AddShippingTax(store(), 1, 20, amounts);
    EXPECT_EQ(amounts.SalesTaxAmount, 0.0f);
    EXPECT_FLOAT_EQ(amounts.ShippingTaxAmount, 1.4f);

    test::setCompanyTax(db(), 3, 7, true, 5);
    AddShippingTax(store(), 1, 150, amounts);
    EXPECT_FLOAT_EQ(amounts.ShippingTaxAmount, 8.5f) << "5.00 on the first 100, 3.50 on the next 50";

    test::setCompanyTax(db(), 0, 7, true);
    AddShippingTax(store(), 1, 10, amounts);
    EXPECT_FLOAT_EQ(amounts.ShippingTaxAmount, 8.5f) << "method 0 leaves the shipping tax";

    amounts = {3, 8.5f};
    AddShippingTax(store(), std::nullopt, 10, amounts);
    EXPECT_EQ(amounts.shown(), 0.0f) << "no customer: both amounts 0";
}
