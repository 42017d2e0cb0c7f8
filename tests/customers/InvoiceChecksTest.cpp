#include "customers/InvoiceChecks.h"
#include "customers/InvoiceFixture.h"

using namespace vanta;
using namespace vanta::customers;
namespace {
class InvoiceChecksTest : public vanta::test::InvoiceTest {};
sale::Money cents(qint64 c) { return sale::Money::fromCents(c); }
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

    // The available credit is the limit less the balance owed: 5000 - 1250.40
    // for the demo customer. Exactly that is covered, a cent more is not.
    EXPECT_TRUE(CreditLimitOK(store, storegen::demo::CreditCustomer, cents(374960)));
    EXPECT_FALSE(CreditLimitOK(store, storegen::demo::CreditCustomer, cents(374961)));
    EXPECT_FALSE(CreditLimitOK(store, storegen::demo::CreditCustomer, cents(500000)));
    // A limit a single cannot hold exactly still counts to the cent.
    EXPECT_TRUE(CreditLimitOK(store, 91, cents(33457)));
    EXPECT_FALSE(CreditLimitOK(store, 91, cents(33458)));
    // A customer at (or over) the limit cannot buy on account any more.
    addCustomer(92, "At The Limit", {{"credit limit", 500.0}, {"balance", 500.0}});
    addCustomer(93, "Over The Limit", {{"credit limit", 500.0}, {"balance", 650.0}});
    EXPECT_TRUE(OKtoInvoice(store, 92));
    EXPECT_FALSE(CreditLimitOK(store, 92, cents(1)));
    EXPECT_FALSE(CreditLimitOK(store, 93, cents(1)));
    EXPECT_FALSE(CreditLimitOK(store, 90, cents(0)));
    EXPECT_FALSE(CreditLimitOK(store, 4242, cents(0)));
}

TEST_F(InvoiceChecksTest, AcceptInvoiceSaleTellsWhyNot)
{
    EXPECT_FALSE(AcceptInvoiceSale(session.store(), prompt, 3, cents(1000)));
    ASSERT_EQ(prompt.count(), 1);
    EXPECT_EQ(prompt.last().box(), "Vanta POS [Information] The selected customer does not have invoice permissions.");
    EXPECT_EQ(prompt.last().buttons, platform::Buttons::Ok);

    EXPECT_FALSE(AcceptInvoiceSale(session.store(), prompt, storegen::demo::CreditCustomer, cents(374961)));
    ASSERT_EQ(prompt.count(), 2);
    EXPECT_EQ(prompt.last().box(),
              "Vanta POS [Information] The selected customer's credit limit is lower than sale total.");

    EXPECT_TRUE(AcceptInvoiceSale(session.store(), prompt, storegen::demo::CreditCustomer, cents(374960)));
    EXPECT_EQ(prompt.count(), 2);
}
