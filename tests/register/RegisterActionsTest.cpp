// The register's commands on the sale and the session, without a window.
#include "register/ActionsFixture.h"

#include "db/Schema.h"

#include <QDialog>

using namespace vanta;
using platform::Answer;
using platform::Icon;
using Field = RegisterView::Field;

namespace {
const sale::Good kHammer = sale::Good::item(1001); // 12.99
} // namespace

class RegisterActionsTest : public test::ActionsTest {};

TEST_F(RegisterActionsTest, StartsOnACashSaleWithTheStoresLists)
{
    start();
    EXPECT_EQ(session.identity.employeeNumber, 1); // security off: nobody needs to log on
    QStringList names;
    for (const sale::PayType &p : view.payTypes)
        names << p.name;
    EXPECT_EQ(names, (QStringList{"Cash", "Check", "Credit Card", "INVOICE"}));
    EXPECT_EQ(payType("INVOICE").kind, sale::PayKind::Invoice);
    EXPECT_EQ(payType("Check").kind, sale::PayKind::Other);
    EXPECT_EQ(session.sale.payType(), sale::PayType());
    ASSERT_TRUE(session.sale.customer());
    EXPECT_EQ(*session.sale.customer(), storegen::demo::CashSaleCustomer);
    EXPECT_NE(session.sale.number(), 0);
    EXPECT_EQ(prompt.count(), 0);
}

TEST_F(RegisterActionsTest, PayTypesSetTheTender)
{
    start().addGood(kHammer);
    session.sale.setTendered(500);
    actions->choosePayType(payType("Cash"));
    EXPECT_EQ(session.sale.tenderedCents(), 500); // cash keeps what was counted
    actions->choosePayType(payType("Credit Card"));
    EXPECT_EQ(session.sale.tenderedCents(), totalDue()); // the others take the total due
    actions->choosePayType(payType("INVOICE"));
    EXPECT_EQ(session.sale.tenderedCents(), 0); // an invoice is paid later
    actions->tenderTotal();
    EXPECT_EQ(session.sale.tenderedCents(), 0);
    actions->choosePayType(payType("Cash"));
    actions->tenderTotal();
    EXPECT_EQ(session.sale.tenderedCents(), totalDue());
    actions->addGood(kHammer); // the lines changed: the tender is counted again
    EXPECT_EQ(session.sale.tenderedCents(), 0);
}

TEST_F(RegisterActionsTest, ProcessRefusesInOrderAndTakesTheCashierToWhatIsMissing)
{
    start();
    actions->process();
    EXPECT_EQ(prompt.last().box(), "Vanta! POS [Information] There are no items selected to sale.");
    actions->addGood(kHammer);
    actions->process();
    EXPECT_EQ(prompt.last().text, "You must select a pay type before processing a sale.");
    EXPECT_EQ(view.focused, Field::PayType);
    actions->choosePayType(payType("Cash"));
    const std::optional<qint32> cashSale = session.sale.customer();
    actions->chooseCustomer(std::nullopt);
    actions->process();
    EXPECT_EQ(prompt.last().text, "You must select a customer before processing a sale.");
    EXPECT_EQ(view.focused, Field::Customers);
    actions->chooseCustomer(cashSale);
    session.sale.setTendered(totalDue() - 1); // a cent short
    actions->process();
    EXPECT_EQ(prompt.last().text, "You cannot process a sale while the amount tendered is less than the amount due.");
    EXPECT_EQ(view.focused, Field::Tender);
    EXPECT_EQ(session.sale.lines().Count(), 1);

    const qint32 number = session.sale.number();
    session.sale.setTendered(totalDue()); // exactly the total is enough
    prompt.clearRecord();
    actions->process();
    EXPECT_EQ(prompt.count(), 0) << qPrintable(prompt.texts().join('\n'));
    EXPECT_EQ(session.sale.lines().Count(), 0); // stored: the next sale has begun
    EXPECT_NE(session.sale.number(), number);
    EXPECT_EQ(session.sale.payType(), sale::PayType());
    EXPECT_EQ(session.sale.customer(), cashSale);
}

TEST_F(RegisterActionsTest, ManualAddFindsItemsAndVariantsByCode)
{
    start();
    prompt.answerInput("GIFTCARD25").answerInput("nothing").cancelInput().answerInput("5001");
    for (int i = 0; i < 4; ++i)
        actions->manualAdd();
    const QStringList texts = prompt.texts();
    EXPECT_EQ(texts.first(), "Enter the barcode number for the Item to be added to the current sale.");
    EXPECT_EQ(prompt.requests()[0].title, "Vanta POS Manual Add Item");
    EXPECT_TRUE(texts.contains("Sorry, the item 'nothing' was not found."));
    const sale::clsSaleItems &lines = session.sale.lines();
    ASSERT_EQ(lines.Count(), 2);
    EXPECT_EQ(lines.Item(1)->Name(), "Gift Card $25");
    EXPECT_EQ(lines.Item(2)->good(), sale::Good::variant(5001));
    EXPECT_TRUE(lines.Item(2)->Name().startsWith("Store Logo T-Shirt-"));
}

TEST_F(RegisterActionsTest, AnUnknownScanIsSaidOnceTheScanHasFinished)
{
    start().scanned("999");
    EXPECT_EQ(prompt.count(), 0);
    QTRY_COMPARE(prompt.count(), 1);
    EXPECT_EQ(prompt.last().box(), "Vanta P.O.S [Information] The scanned barcode was invalid.");
    EXPECT_TRUE(session.sale.empty());
}

TEST_F(RegisterActionsTest, RemovingAndCancellingAskFirst)
{
    start().addGood(kHammer);
    actions->addGood(sale::Good::item(1002));
    prompt.answer(Answer::No).answer(Answer::Yes);
    actions->removeLine(1);
    EXPECT_EQ(prompt.last().text, "Are you sure that you want to remove the selected item?");
    EXPECT_EQ(session.sale.lines().Count(), 2);
    actions->removeLine(1);
    ASSERT_EQ(session.sale.lines().Count(), 1);
    EXPECT_EQ(session.sale.lines().Item(1)->good(), sale::Good::item(1002));

    const qint32 number = session.sale.number();
    prompt.answer(Answer::Cancel).answer(Answer::Yes);
    actions->cancelSale();
    EXPECT_EQ(session.sale.lines().Count(), 1);
    actions->cancelSale();
    EXPECT_EQ(prompt.last().text, "Are you sure that you want to cancel the sale?");
    EXPECT_TRUE(session.sale.empty());
    EXPECT_NE(session.sale.number(), number);
}

TEST_F(RegisterActionsTest, ACustomerNotListedLeavesTheCustomerAsChosen)
{
    start();
    const std::optional<qint32> chosen = session.sale.customer();
    actions->chooseCustomer(424242);
    EXPECT_EQ(session.sale.customer(), chosen);
    actions->chooseCustomer(view.customers.last().id);
    EXPECT_EQ(session.sale.customer(), view.customers.last().id);
}

// ------------------------------------------------------------------ gates

TEST_F(RegisterActionsTest, SecurityOffRunsEveryGatedCommand)
{
    start(false).addGood(kHammer);
    prompt.answer(Answer::No).answer(Answer::No).cancelOpenFile();
    actions->cancelSale();
    EXPECT_EQ(prompt.last().text, "Are you sure that you want to cancel the sale?");
    actions->removeLine(1);
    EXPECT_EQ(prompt.last().text, "Are you sure that you want to remove the selected item?");
    actions->process();
    EXPECT_EQ(prompt.last().text, "You must select a pay type before processing a sale.");
    actions->changePrice(1);
    EXPECT_TRUE(dialogs.titles().contains("Edit Price"));
    prompt.clearRecord();
    actions->changeStore();
    ASSERT_EQ(prompt.count(), 1);
    EXPECT_EQ(prompt.last().kind, test::PromptRequest::Kind::OpenFile);
    prompt.clearRecord();
    actions->findItem();
    actions->shipping();
    actions->editCustomer();
    EXPECT_EQ(prompt.count(), 0);
    // The manager (employee 1 stands in with security off) may switch security on.
    actions->toggleSecurity();
    EXPECT_TRUE(session.identity.securityOn);
    EXPECT_EQ(settings.read("POS", "Settings", "Security"), "True");
}

TEST_F(RegisterActionsTest, CashierMaySellButNotEditPrices)
{
    startAs("2", "CASHIER").addGood(kHammer); // passwords match in any case
    prompt.answer(Answer::No);
    actions->removeLine(1);
    EXPECT_EQ(prompt.last().text, "Are you sure that you want to remove the selected item?");
    actions->changePrice(1);
    EXPECT_EQ(prompt.last().text, "You do not have the proper permissions to edit prices.");
    prompt.clearRecord();
    actions->openCashDrawer(); // may sell, not open the drawer at will
    ASSERT_EQ(prompt.count(), 1);
    EXPECT_EQ(prompt.last().box(), "Vanta! POS [Information] You do not have permissions to open the cash drawer.");
}

TEST_F(RegisterActionsTest, NobodyLoggedOnClosesTheRegisterAndTheNextEmployeeKeepsTheSale)
{
    start(true); // nobody logs on: the scripted dialog is cancelled
    EXPECT_FALSE(session.loggedOn());
    QTRY_VERIFY(view.closed);

    view.closed = false;
    startAs("1", "admin").addGood(kHammer);
    logOnNext("2", "cashier");
    actions->logOut();
    EXPECT_EQ(session.identity.employeeNumber, 2);
    EXPECT_EQ(session.identity.employeeName, "Sam T Rivera");
    EXPECT_EQ(session.sale.lines().Count(), 1); // the next employee goes on with the same sale
}

TEST_F(RegisterActionsTest, TheManagerOpensTheCashDrawerOrHearsWhyNot)
{
    startAs("1", "admin");
    prompt.clearRecord();
    actions->openCashDrawer(); // no receipt printer on this register
    ASSERT_EQ(prompt.count(), 1);
    EXPECT_EQ(prompt.last().text, "The cash drawer did not open.\n\nThis register has no receipt printer.");
    EXPECT_EQ(prompt.last().icon, Icon::Exclamation);
}

TEST_F(RegisterActionsTest, HoldingClosesTheWindowAndShutDownAsksFirst)
{
    start().holdSale();
    EXPECT_EQ(view.closeRequests, std::vector<bool>{false});
    prompt.answer(Answer::No).answer(Answer::Yes);
    actions->shutDown();
    EXPECT_EQ(view.closeRequests.size(), 1u);
    actions->shutDown();
    EXPECT_EQ(prompt.last().text, "Are you sure that you want to shut down?");
    EXPECT_EQ(view.closeRequests, (std::vector<bool>{false, true}));
}

TEST_F(RegisterActionsTest, AnOlderStoreGetsTheTablesAddedSinceWhenItOpens)
{
    for (const char *table : {"Sold Line Paid", "Returned Items"})
        ts.db().execute(QStringLiteral("DROP TABLE \"%1\"").arg(table));
    ts.db().execute(QStringLiteral("DROP INDEX \"ix_Sales__date of sale\""));
    ts.store.reset();
    start();
    ASSERT_TRUE(session.hasStore());
    EXPECT_TRUE(db::missingAddedTables(session.store().database().connection()).isEmpty());
    EXPECT_EQ(prompt.count(), 0);
}
