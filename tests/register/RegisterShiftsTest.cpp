// A register's shift: opened with a float, cash paid in and out, sales,
// returns and cancels taken in it, the X report and the Z report that
// closes it, each figure agreeing with what the register rang up.
#include "register/ActionsFixture.h"

#include "dayend/RegisterName.h"
#include "dayend/ShiftBook.h"
#include "dayend/ShiftError.h"
#include "dayend/ShiftReport.h"
#include "dayend/frmDrawerCount.h"
#include "register/frmReturn.h"
#include "platform/Currency.h"
#include "sale/Money.h"

#include <QDialog>
#include <random>

using namespace vanta;
using platform::Icon;
namespace demo = storegen::demo;

namespace {

class RegisterShifts : public test::ActionsTest {
protected:
    RegisterShifts() { start(); }

    dayend::ShiftBook book() { return dayend::ShiftBook(session.store(), dayend::registerName(settings)); }
    std::optional<dayend::Shift> shift() { return book().current(); }
    dayend::ShiftFigures figures() { return dayend::readShiftFigures(session.store(), *shift()); }

    void openWithFloat(const QString &typed)
    {
        prompt.answerInput(typed);
        actions->openShift();
    }
    // The drawer dialog's next run takes the whole amount and OK.
    void countDrawer(const QString &whole)
    {
        dialogs.then([whole](QDialog &dlg) {
            auto &form = dynamic_cast<dayend::frmDrawerCount &>(dlg);
            form.setWholeAmount(whole);
            form.cmdOK_Click();
            return form.result();
        });
    }
    void pay(bool in, const QString &amount, const QString &reason)
    {
        prompt.answerInput(amount).answerInput(reason);
        in ? actions->paidIn() : actions->paidOut();
    }
};

// What the register showed for each sale, summed the register's way: the
// figures the reports must agree with.
struct Expected {
    int sales = 0;
    qint64 gross = 0, discounts = 0, returns = 0, tax = 0, shipping = 0, cashIn = 0, cashOut = 0;
    QMap<QString, qint64> byPayType;
    int cancelled = 0;
    qint64 cancelledCents = 0;
    qint64 paidIn = 0, paidOut = 0;

    void rungUp(const sale::Sale &s)
    {
        ++sales;
        for (const auto &line : s.lines()) {
            const qint64 atPrice = sale::lineSubtotal(line->Price(), line->qty()).cents();
            if (line->qty() < 0) {
                returns -= line->Subtotal().cents();
                continue;
            }
            gross += atPrice;
            discounts += atPrice - line->Subtotal().cents();
        }
        tax += s.totals().tax;
        shipping += s.totals().shipping;
        byPayType[s.payType().name] += s.totals().totalDue();
        if (s.payType().kind == sale::PayKind::Cash) {
            const qint64 cash = s.tenderedCents() - sale::changeDue(s.tenderedCents(), s.totals().totalDue());
            (s.refund() ? cashOut : cashIn) += std::abs(s.refund() ? s.refundDueCents() : cash);
        }
    }
};

} // namespace

TEST_F(RegisterShifts, OpeningRefusesBadAmountsAndASecondShift)
{
    prompt.answerInput("ten").answerInput("-5").answerInput("1000000.01").answerInput("150");
    actions->openShift();
    EXPECT_EQ(prompt.texts().mid(1, 5),
              QStringList({"\"ten\" is not an amount of money. Type it in digits, such as 25.00.",
                           "The starting float: the cash in the drawer now (count it or type it):",
                           "The amount cannot be below 0.",
                           "The starting float: the cash in the drawer now (count it or type it):",
                           "The amount cannot be over $1,000,000.00."}));
    ASSERT_TRUE(shift());
    EXPECT_EQ(shift()->floatCents, 15000);
    EXPECT_EQ(shift()->openedBy, 1);

    prompt.clearRecord();
    actions->openShift();
    EXPECT_EQ(prompt.last().text, "A shift is open on this register already. Close it with its Z report before "
                                  "opening the next.");
    EXPECT_EQ(ts.db().scalar("SELECT count(*) FROM Shifts").toInt(), 1);
}

TEST_F(RegisterShifts, CashInAndOutNeedAShiftAnAmountAndAReason)
{
    actions->paidIn();
    EXPECT_EQ(prompt.last().text, "No shift is open on this register. Open one first (Utilities, Open Shift).");
    openWithFloat("100");
    prompt.clearRecord();
    prompt.answerInput("0").answerInput("20").answerInput("  ").answerInput("change from the bank");
    actions->paidIn();
    EXPECT_TRUE(prompt.texts().contains("The amount must be more than 0."));
    EXPECT_TRUE(prompt.texts().contains("Type a reason: the Z report lists it."));
    EXPECT_EQ(prompt.last().text, "Paid In $20.00 was recorded, but the cash drawer did not open.\n\n"
                                  "This register has no receipt printer.");
    pay(false, "7.50", "window cleaner");
    prompt.cancelInput();
    actions->paidOut(); // cancelled: nothing written
    EXPECT_EQ(ts.db().scalar("SELECT count(*) FROM \"Cash Movements\"").toInt(), 2);
    EXPECT_EQ(figures().paidIn, 2000);
    EXPECT_EQ(figures().paidOut, 750);
    EXPECT_EQ(figures().expectedCash(), 10000 + 2000 - 750);
}

TEST_F(RegisterShifts, PayingCashInOrOutNeedsSalesRelatedUnderSecurity)
{
    openWithFloat("0");
    session.identity.securityOn = true;
    session.identity.employeeNumber = demo::UnprivilegedEmployee;
    session.identity.permissions.setEmployeeID(session.store(), demo::UnprivilegedEmployee);
    prompt.clearRecord();
    actions->paidOut();
    EXPECT_EQ(prompt.last().text, "You do not have permissions to pay cash into or out of the drawer.");
    EXPECT_EQ(ts.db().scalar("SELECT count(*) FROM \"Cash Movements\"").toInt(), 0);
}

// A few hundred sales, returns, cancels and cash movements at random; the
// X report's figures, then the Z report's as kept, agree cent for cent
// with what the register showed for each.
TEST_F(RegisterShifts, TheReportsAgreeWithEverySaleRungUp)
{
    openWithFloat("200");
    Expected want;
    std::mt19937 rng(20261208);
    const auto pick = [&rng](int n) { return int(std::uniform_int_distribution<int>(0, n - 1)(rng)); };
    const sale::Good goods[] = {sale::Good::item(demo::PlainItem), sale::Good::item(demo::BulkItem),
                                sale::Good::item(demo::NonTaxableItem), sale::Good::variant(demo::FirstVariant)};
    const QString payTypes[] = {"Cash", "Check", "Credit Card"};
    std::vector<qint32> cashSales;
    for (int round = 0; round < 240; ++round) {
        const int what = pick(20);
        const bool giveBack = what == 0 && !cashSales.empty();
        if (giveBack) { // the first line of an earlier cash sale, one unit
            const size_t at = size_t(pick(int(cashSales.size())));
            const qint32 original = cashSales[at];
            cashSales.erase(cashSales.begin() + qint64(at));
            dialogs.then([](QDialog &dlg) {
                dynamic_cast<frmReturn &>(dlg).setQuantity(0, 1);
                return int(QDialog::Accepted);
            });
            actions->returnFromSale(original);
            ASSERT_FALSE(session.sale.empty()) << prompt.texts().join('\n').toStdString();
        } else if (what == 1) {
            const bool in = pick(2) == 0;
            const qint64 cents = 100 * (1 + pick(40)) + 25;
            pay(in, formatNumberCents(cents), "till");
            (in ? want.paidIn : want.paidOut) += cents;
            continue;
        } else {
            for (int n = 1 + pick(3); n > 0; --n)
                actions->addGood(goods[pick(4)]);
            const int position = 1 + pick(session.sale.lines().Count());
            actions->editLine(position, 1 + pick(12), pick(3) == 0 ? 5 * pick(5) : 0, false);
            actions->choosePayType(payType(payTypes[pick(3)]));
        }
        if (what == 2) {
            want.cancelled++;
            want.cancelledCents += session.sale.totals().totalDue();
            prompt.answer(platform::Answer::Yes);
            actions->cancelSale();
            continue;
        }
        actions->tenderTotal();
        const bool cash = session.sale.payType().kind == sale::PayKind::Cash;
        if (cash && !session.sale.refund())
            session.sale.setTendered(session.sale.tenderedCents() + 100 * pick(3)); // with change
        const qint32 number = session.sale.number();
        want.rungUp(session.sale);
        actions->process();
        ASSERT_TRUE(session.sale.empty()) << prompt.texts().join('\n').toStdString();
        if (cash && !giveBack)
            cashSales.push_back(number);
    }

    const dayend::ShiftFigures x = figures();
    EXPECT_EQ(x.salesCount, want.sales);
    EXPECT_EQ(x.gross, want.gross);
    EXPECT_EQ(x.discounts, want.discounts);
    EXPECT_GT(x.returns, 0);
    EXPECT_EQ(x.returns, want.returns);
    EXPECT_EQ(x.taxTotal(), want.tax);
    // By jurisdiction, agency by agency the same (refunds against their sales').
    QMap<QString, qint64> byAgency;
    for (const dayend::Tally &t : x.taxByJurisdiction)
        byAgency[t.name.section(QStringLiteral(", "), 0, 0)] += t.cents;
    for (const dayend::Tally &t : x.taxByAgency)
        EXPECT_EQ(byAgency.value(t.name), t.cents) << qPrintable(t.name);
    EXPECT_TRUE(std::any_of(x.taxByJurisdiction.begin(), x.taxByJurisdiction.end(),
                            [](const dayend::Tally &t) { return t.name.endsWith(QStringLiteral(", IL")); }));
    EXPECT_EQ(x.shipping, want.shipping);
    for (const dayend::Tally &t : x.byPayType)
        EXPECT_EQ(t.cents, want.byPayType.value(t.name)) << qPrintable(t.name);
    EXPECT_EQ(x.byPayType.size(), size_t(want.byPayType.size()));
    EXPECT_EQ(x.cashSales, want.cashIn);
    EXPECT_EQ(x.cashRefunds, want.cashOut);
    EXPECT_EQ(x.cancelled, (dayend::Tally{{}, want.cancelled, want.cancelledCents}));
    EXPECT_EQ(x.paidIn, want.paidIn);
    EXPECT_EQ(x.paidOut, want.paidOut);
    qint64 stored = 0;
    for (const dayend::Tally &t : x.byPayType)
        stored += t.cents;
    EXPECT_EQ(x.net() + x.taxTotal() + x.shipping, stored) << "net, tax and shipping make up what was taken";
    EXPECT_EQ(x.expectedCash(), 20000 + want.cashIn - want.cashOut + x.paidIn - x.paidOut);

    // Closed short by a dollar: the Z report keeps the figures as they were.
    prompt.clearRecord();
    countDrawer(formatNumberCents(x.expectedCash() - 100));
    actions->zReport();
    EXPECT_EQ(prompt.last().text, "The shift is closed: Z report 1. The drawer is $1.00 short.");
    EXPECT_FALSE(shift());
    const std::optional<dayend::ShiftFigures> z = book().zReport(1);
    ASSERT_TRUE(z);
    EXPECT_EQ(z->overShort(), -100);
    EXPECT_EQ(z->gross, x.gross);
    EXPECT_EQ(z->byPayType, x.byPayType);
    EXPECT_EQ(z->topItems, x.topItems);
    EXPECT_EQ(z->taxByJurisdiction, x.taxByJurisdiction);
    EXPECT_EQ(ts.db().scalar("SELECT round(\"expected cash\" * 100) FROM Shifts WHERE \"Z Number\" = 1").toLongLong(),
              x.expectedCash());
}

TEST_F(RegisterShifts, ClosingRefusesAnOpenSaleAndASecondZ)
{
    actions->zReport();
    EXPECT_EQ(prompt.last().text, "No shift is open on this register.");
    openWithFloat("50");
    actions->addGood(sale::Good::item(demo::PlainItem));
    actions->zReport();
    EXPECT_EQ(prompt.last().text,
              "A sale is open on this register. Finish it (or cancel it) first, then close the shift.");
    ASSERT_TRUE(shift());
    prompt.answer(platform::Answer::Yes);
    actions->cancelSale();

    const dayend::Shift open = *shift();
    countDrawer("50");
    actions->zReport();
    EXPECT_EQ(prompt.last().text, "The shift is closed: Z report 1. The drawer is even.");
    EXPECT_THROW(book().close(open, 5000, 1, false), dayend::ShiftError);
    EXPECT_EQ(book().zReport(1)->cancelled.count, 1);

    // The next shift's Z is number 2; the first is printed again as it was.
    openWithFloat("10");
    countDrawer("12.5");
    actions->zReport();
    EXPECT_EQ(prompt.last().text, "The shift is closed: Z report 2. The drawer is $2.50 over.");
    EXPECT_EQ(book().lastZNumber(), 2);
    prompt.answerInput("3");
    actions->reprintZReport();
    EXPECT_EQ(prompt.last().text, "This register has no Z report \"3\". Its Z reports are numbered 1 to 2.");
}

// With the setting on, the day's float is asked for at start when no shift
// is open; a shift left open by a run that never ended is closed at the
// next start as it stood, its drawer not counted; one left open by a run
// that ended goes on.
TEST_F(RegisterShifts, TheFloatAtStartAndAShiftLeftOpenByACrash)
{
    settings.save("POS", "Settings", "Open Shift At Logon", "1");
    prompt.answerInput("80");
    start();
    EXPECT_EQ(prompt.last().text, "No shift is open on this register. The starting float: the cash in the drawer "
                                  "now (count it or type it):");
    ASSERT_TRUE(shift());
    EXPECT_EQ(shift()->floatCents, 8000);
    actions->windowClosed();
    prompt.clearRecord();
    start();
    EXPECT_EQ(prompt.count(), 0) << "the shift goes on";

    actions->addGood(sale::Good::item(demo::PlainItem));
    actions->choosePayType(payType("Cash"));
    actions->tenderTotal();
    actions->process();
    prompt.cancelInput();
    start(); // the last run never ended
    EXPECT_TRUE(prompt.texts().first().startsWith("The register stopped unexpectedly while its shift (opened "));
    EXPECT_TRUE(prompt.texts().first().endsWith(") was open. That shift is now closed as Z report 1 with the sales "
                                                "posted in it; its drawer was not counted."));
    EXPECT_FALSE(shift()) << "the float question was cancelled";
    const std::optional<dayend::ShiftFigures> z = book().zReport(1);
    ASSERT_TRUE(z);
    EXPECT_TRUE(z->closedAfterCrash);
    EXPECT_FALSE(z->countedCash);
    EXPECT_EQ(z->salesCount, 1);
    EXPECT_EQ(z->cashSales, 1299 + z->taxTotal());
}
