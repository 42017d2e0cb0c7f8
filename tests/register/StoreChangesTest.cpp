// What another register changes in the shared store reaches this register's
// next scan, although the register keeps settings and tax tables between
// scans.
#include "register/BothStores.h"

#include "platform/Currency.h"
#include "tax/SaleTax.h"

using namespace vanta;

namespace {

const QString kHammer = QStringLiteral("073256120013");      // item 1001, 12.99, tax rule 1
const QString kScrewdriver = QStringLiteral("073256120020"); // item 1002, unit 1
const QString kWoodScrews = QStringLiteral("044105008110");  // item 1004, bulk levels

class StoreChanges : public test::RegisterOnBothStores {
protected:
    // Another register's change, on a connection of its own.
    void elsewhere(const QString &sql, const QVariantList &params = {}) { ts.db().execute(sql, params); }

    // The tax of the register's lines as a register that keeps nothing
    // works it out from the store as it is now.
    QString freshTax()
    {
        db::Store fresh(ts.path());
        return formatCurrencyCents(
            tax::ComputeSaleTax(fresh, lines(), storegen::demo::CashSaleCustomer, sale::dollars(pos->totals().shipping))
                .cents);
    }
};

TEST_P(StoreChanges, TaxRulesAndTheCustomerChangedElsewhere)
{
    open();
    scan(kHammer);
    const QString before = label("lblTax");
    ASSERT_EQ(before, freshTax());

    elsewhere("UPDATE \"Tax splits\" SET \"Value\" = 9.5 WHERE \"Type id\" = 1");
    scan(kHammer);
    EXPECT_EQ(label("lblTax"), freshTax());
    EXPECT_NE(label("lblTax"), before) << "the new state rate is not in the tax";

    elsewhere("UPDATE Customers SET Taxable = ? WHERE \"Cust ID\" = ?", {false, storegen::demo::CashSaleCustomer});
    scan(kHammer);
    EXPECT_EQ(label("lblTax"), "$0.00");
}

TEST_P(StoreChanges, StoreSettingsChangedElsewhere)
{
    open();
    scan(kHammer);
    ASSERT_TRUE(button("cmdShipping")->isEnabled());

    // The fixed rate instead of the rules, then the item made not taxable.
    elsewhere("UPDATE Company SET \"tax option\" = 2, \"sales tax\" = 10");
    scan(kHammer);
    EXPECT_EQ(label("lblTax"), freshTax());
    EXPECT_EQ(label("lblTax"), formatCurrencyCents(toCents(2 * 12.99 * 0.10)));
    elsewhere("UPDATE Items SET Taxable = ? WHERE \"Item Index\" = 1001", {false});
    scan(kHammer);
    EXPECT_EQ(label("lblTax"), "$0.00");

    // No shipping any more.
    elsewhere("UPDATE Company SET \"shipping option\" = 0");
    scan(kHammer);
    EXPECT_FALSE(button("cmdShipping")->isEnabled());
}

TEST_P(StoreChanges, PricesUnitsAndLevelsChangedElsewhere)
{
    open();
    scan(kHammer);
    scan(kWoodScrews);
    elsewhere("UPDATE Items SET \"LIST PRICE\" = 20 WHERE \"Item Index\" = 1001");
    elsewhere("UPDATE BulkLevelPricing SET \"LIST PRICE\" = 4.75 WHERE \"Item Index\" = 1004 AND \"Max\" = 9");
    elsewhere("UPDATE UOM SET code = 'XX', UOM = 'Crate' WHERE UOMID = 1");
    scan(kHammer);
    scan(kWoodScrews);
    scan(kScrewdriver);

    ASSERT_EQ(lines().Count(), 3);
    EXPECT_FLOAT_EQ(lines().Item(1)->Price().dollars(), 20.0f);
    EXPECT_FLOAT_EQ(lines().Item(1)->Subtotal().dollars(), 40.0f);
    EXPECT_FLOAT_EQ(lines().Item(2)->Price().dollars(), 4.75f);
    EXPECT_EQ(lines().Item(3)->UOM(), "XX");
    EXPECT_EQ(lines().Item(3)->FullUOM(), "Crate");
    EXPECT_EQ(label("lblTax"), freshTax());
}

INSTANTIATE_TEST_SUITE_P(Engines, StoreChanges, ::testing::Bool(), test::storeEngineName);

} // namespace
