#include "customers/InvoiceChecks.h"
#include "customers/InvoiceFixture.h"

using namespace vanta;
using namespace vanta::customers;
namespace {
class InvoiceChecksTest : public vanta::test::InvoiceTest {};
} // namespace

TEST_F(InvoiceChecksTest, CreditLimitGrantsInvoiceAndCoversTotal)
{
    addCustomer(90, "No Limit On File");                                   // null credit limit
    addCustomer(91, "Odd Cents", {{"credit limit", 1234.57}, {"balance", 900.0}});
    db::Store &store = session.store();

    EXPECT_TRUE(OKtoInvoice(store, storegen::demo::CreditCustomer));
    EXPECT_FALSE(OKtoInvoice(store, 3)); // limit 0
    EXPECT_FALSE(OKtoInvoice(store, 90));
    EXPECT_TRUE(OKtoInvoice(store, 91));
    EXPECT_FALSE(OKtoInvoice(store, 4242)); // no such customer

    // Exactly the limit is covered, a cent more is not; the balance owed
    // (1250.40 for the demo customer) is not counted.
    EXPECT_TRUE(CreditLimitOK(store, storegen::demo::CreditCustomer, 5000.0));
    EXPECT_FALSE(CreditLimitOK(store, storegen::demo::CreditCustomer, 5000.01));
    // A limit a single cannot hold exactly still covers the same total.
    EXPECT_TRUE(CreditLimitOK(store, 91, 1234.57));
    EXPECT_FALSE(CreditLimitOK(store, 91, 1234.58));
    EXPECT_FALSE(CreditLimitOK(store, 90, 0.0));
    EXPECT_FALSE(CreditLimitOK(store, 4242, 0.0));
}

TEST_F(InvoiceChecksTest, AcceptInvoiceSaleTellsWhyNot)
{
    EXPECT_FALSE(AcceptInvoiceSale(session.store(), prompt, 3, 10.0));
    ASSERT_EQ(prompt.count(), 1);
    EXPECT_EQ(prompt.last().text, "The selected customer does not have invoice permissions.");
    EXPECT_EQ(prompt.last().title, "Vanta POS");
    EXPECT_EQ(prompt.last().icon, platform::Icon::Information);
    EXPECT_EQ(prompt.last().buttons, platform::Buttons::Ok);

    EXPECT_FALSE(AcceptInvoiceSale(session.store(), prompt, storegen::demo::CreditCustomer, 5000.01));
    ASSERT_EQ(prompt.count(), 2);
    EXPECT_EQ(prompt.last().text, "The selected customer's credit limit is lower than sale total.");
    EXPECT_EQ(prompt.last().title, "Vanta POS");
    EXPECT_EQ(prompt.last().icon, platform::Icon::Information);

    EXPECT_TRUE(AcceptInvoiceSale(session.store(), prompt, storegen::demo::CreditCustomer, 5000.0));
    EXPECT_EQ(prompt.count(), 2);
}
