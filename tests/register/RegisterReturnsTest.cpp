// Goods given back at the register: the sale number typed or a receipt
// scanned, the lines chosen, the refund paid out the way the money came.
#include "register/ActionsFixture.h"

#include "register/frmReturn.h"
#include "security/frmApproval.h"
#include "support/InvoiceScript.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

using namespace vanta;
using platform::Icon;
namespace demo = storegen::demo;

namespace {

class RegisterReturns : public test::ActionsTest {
protected:
    // Two hammers sold for cash (or on the credit customer's invoice);
    // answers the sale's number.
    qint32 sellTwoHammers(const QString &payTypeName = "Cash")
    {
        if (!actions)
            start();
        if (payTypeName == "INVOICE")
            actions->chooseCustomer(demo::CreditCustomer);
        actions->addGood(sale::Good::item(demo::PlainItem));
        actions->addGood(sale::Good::item(demo::PlainItem));
        actions->choosePayType(payType(payTypeName));
        actions->tenderTotal();
        const qint32 id = session.sale.number();
        if (payTypeName == "INVOICE")
            test::processInvoiceDialog(dialogs);
        actions->process();
        EXPECT_TRUE(session.sale.empty()) << prompt.texts().join('\n').toStdString();
        prompt.clearRecord();
        return id;
    }
    // The return dialog's next run takes `qty` of the first line.
    void returnFirstLine(double qty)
    {
        dialogs.then([qty](QDialog &dlg) {
            auto &form = dynamic_cast<frmReturn &>(dlg);
            form.setQuantity(0, qty);
            return int(QDialog::Accepted);
        });
    }
    // The sale number typed at "Return Items", `qty` of its first line taken.
    void returnTyped(qint32 saleId, double qty)
    {
        prompt.answerInput(QString::number(saleId));
        returnFirstLine(qty);
        actions->returnItems();
    }
    double balance() const
    {
        return ts.db().scalar("SELECT balance FROM Customers WHERE \"Cust ID\" = ?", {demo::CreditCustomer}).toDouble();
    }
    qint64 sold(const char *sql, qint32 id) { return ts.db().scalar(sql, {id}).toLongLong(); }
};

} // namespace

// The sale number typed: the chosen hammer comes back at what it was paid,
// the refund is due in cash, and posting stores the return.
TEST_F(RegisterReturns, ATypedSaleNumberGivesBackTheChosenUnits)
{
    const qint32 original = sellTwoHammers();
    const qint64 paid = sold("SELECT round(\"total of sale\" * 100) FROM Sales WHERE \"Sales ID\" = ?", original);
    actions->choosePayType(payType("Check"));
    returnTyped(original, 1);
    EXPECT_EQ(prompt.last().text,
              "Type the sale number printed on the receipt, or scan the receipt's barcode:");
    ASSERT_EQ(session.sale.lines().Count(), 1);
    const sale::clsSaleItems::Line line = session.sale.line(1);
    EXPECT_EQ(line->qty(), -1.0f);
    EXPECT_EQ(line->good().returnOf, ts.db().scalar("SELECT \"Sold ID\" FROM \"Sold Items\" WHERE \"sales id\" = ?", {original}).toInt());
    EXPECT_EQ(session.sale.payType().name, "Cash") << "the money goes back the way it came";
    EXPECT_TRUE(session.sale.refund());
    EXPECT_EQ(session.sale.refundDueCents(), paid / 2);
    EXPECT_EQ(session.sale.tenderedCents(), paid / 2);

    const qint32 returnSale = session.sale.number();
    actions->process();
    EXPECT_TRUE(session.sale.empty()) << prompt.texts().join('\n').toStdString();
    EXPECT_EQ(sold("SELECT round(\"amount tendered\" * 100) FROM Sales WHERE \"Sales ID\" = ?", returnSale), -paid / 2);
    EXPECT_EQ(sold("SELECT count(*) FROM \"Returned Items\" WHERE \"original sales id\" = ?", original), 1);
}

// A receipt's barcode scanned while ringing up: the same return, joined to
// the sale on the register (an exchange); the second hammer can still come
// back, and once it has, nothing can.
TEST_F(RegisterReturns, AScannedReceiptJoinsTheSaleOnTheRegister)
{
    const qint32 original = sellTwoHammers();
    actions->addGood(sale::Good::item(demo::BulkItem));
    returnFirstLine(2);
    actions->scanned("SALE#" + QString::number(original));
    ASSERT_EQ(session.sale.lines().Count(), 2);
    EXPECT_EQ(session.sale.line(2)->qty(), -2.0f);
    EXPECT_TRUE(session.sale.refund());

    // Chosen again: the return line takes the new quantity; 0 takes it off.
    returnFirstLine(0);
    actions->scanned("SALE#" + QString::number(original));
    EXPECT_EQ(session.sale.lines().Count(), 1);
    EXPECT_FALSE(session.sale.refund());
}

// Bad input gets a plain message with the command's title, and the sale
// stays as it was.
TEST_F(RegisterReturns, RefusalsInPlainWords)
{
    const qint32 original = sellTwoHammers();
    const auto refusal = [&](const QString &typed) {
        prompt.clearRecord();
        prompt.answerInput(typed);
        actions->returnItems();
        EXPECT_EQ(prompt.last().icon, Icon::Exclamation);
        EXPECT_EQ(prompt.last().title, "Return Items");
        return prompt.last().text;
    };
    EXPECT_EQ(refusal("12a"), "\"12a\" is not a sale number. Type the number printed on the receipt, such as 1234.");
    EXPECT_EQ(refusal("-5"), "\"-5\" is not a sale number. Type the number printed on the receipt, such as 1234.");
    EXPECT_EQ(refusal("99999999"), "There is no sale 99999999 in this store.");

    actions->chooseCustomer(demo::CreditCustomer);
    actions->addGood(sale::Good::item(demo::PlainItem));
    EXPECT_EQ(refusal(QString::number(original)),
              QString("Sale %1 was sold to another customer than the sale on the register. Finish or cancel this "
                      "sale first, then return the items.")
                  .arg(original));
    EXPECT_EQ(session.sale.lines().Count(), 1);
    EXPECT_EQ(dialogs.runs(), 0) << "no dialog was shown";
}

// An invoice sale's return lowers the customer's balance: nothing is paid
// out.
TEST_F(RegisterReturns, AnInvoiceReturnLowersTheBalance)
{
    const qint32 original = sellTwoHammers("INVOICE");
    const double before = balance();
    const double invoiced = ts.db().scalar("SELECT \"total of sale\" FROM Sales WHERE \"Sales ID\" = ?", {original}).toDouble();
    returnTyped(original, 2);
    EXPECT_EQ(session.sale.payType().name, "INVOICE");
    EXPECT_EQ(session.sale.tenderedCents(), 0);
    test::processInvoiceDialog(dialogs);
    actions->process();
    EXPECT_TRUE(session.sale.empty()) << prompt.texts().join('\n').toStdString();
    EXPECT_NEAR(balance(), before - invoiced, 0.005);
}

namespace {

// The approval dialog's next run: the number and password typed, OK
// pressed; a refusal keeps it open for the next try in the list, Cancel
// when the list runs out.
void approveWith(test::ScriptedDialogRunner &dialogs, std::vector<std::pair<QString, QString>> tries)
{
    dialogs.then([tries](QDialog &dlg) {
        auto &form = dynamic_cast<security::frmApproval &>(dlg);
        for (const auto &[number, password] : tries) {
            form.employeeNumberBox()->setText(number);
            form.passwordBox()->setText(password);
            form.okButton()->click();
            if (form.result() == QDialog::Accepted)
                return int(QDialog::Accepted);
        }
        return int(QDialog::Rejected);
    });
}

} // namespace

// With security on, a refund paid out another way than the sale was paid
// needs a manager, who approves in a dialog of their own: the cashier stays
// logged on, and the approval is stored with the sale. A cashier may not
// approve; a wrong password is refused; Cancel keeps the sale.
TEST_F(RegisterReturns, ARefundByAnotherPayTypeNeedsAManager)
{
    startAs("1", "admin");
    actions->logOut();
    logOnNext("2", "cashier");
    actions->logOn();
    ASSERT_EQ(session.identity.employeeNumber, demo::CashierEmployee);
    const qint32 original = sellTwoHammers();
    returnTyped(original, 1);
    actions->choosePayType(payType("Check"));

    approveWith(dialogs, {{"2", "cashier"}});
    actions->process();
    EXPECT_FALSE(session.sale.empty()) << "not approved: nothing stored";
    const QString asked = QString("Sale %1 was paid by Cash: a refund by Check needs a manager's approval.").arg(original);
    EXPECT_TRUE(prompt.texts().contains(
        "Sam T Rivera may not approve this: it takes an employee allowed to perform database utilities."))
        << prompt.texts().join('\n').toStdString();

    prompt.clearRecord();
    approveWith(dialogs, {{"1", "wrong"}, {"1", "admin"}});
    const qint32 refund = session.sale.number();
    actions->process();
    EXPECT_TRUE(session.sale.empty()) << prompt.texts().join('\n').toStdString();
    ASSERT_EQ(prompt.count(), 1) << prompt.texts().join('\n').toStdString();
    EXPECT_EQ(prompt.last().title, "Manager Approval") << "the wrong password: " << prompt.last().text.toStdString();
    EXPECT_EQ(session.identity.employeeNumber, demo::CashierEmployee) << "the cashier stays logged on";
    EXPECT_EQ(ts.db().scalar("SELECT \"Employee ID\" FROM \"Sale Approvals\" WHERE \"sales id\" = ?", {refund}).toInt(),
              demo::ManagerEmployee);
    EXPECT_EQ(ts.db().scalar("SELECT \"approved for\" FROM \"Sale Approvals\" WHERE \"sales id\" = ?", {refund}).toString(),
              asked);
}

// Goods brought back without a receipt: refunded at today's price and tax,
// one more each time; no sold line is counted against; with security on a
// manager approves when the sale is processed.
TEST_F(RegisterReturns, GoodsWithoutAReceiptComeBackAtTodaysPriceWithAManager)
{
    startAs("2", "cashier");
    const double before = ts.db().scalar("SELECT qty FROM Items WHERE \"Item Index\" = 1001").toDouble();
    for (int i = 0; i < 2; ++i) {
        prompt.answerInput("073256120013");
        actions->returnWithoutReceipt();
    }
    ASSERT_EQ(session.sale.lines().Count(), 1);
    const sale::clsSaleItems::Line line = session.sale.line(1);
    EXPECT_EQ(line->qty(), -2.0f);
    EXPECT_EQ(line->Subtotal().cents(), -2598);
    EXPECT_TRUE(line->good().returnWithoutReceipt());
    qint64 refundedTax = 0;
    for (const auto &a : line->TaxRefund())
        refundedTax += a.cents;
    EXPECT_GT(refundedTax, 0);
    EXPECT_EQ(session.sale.refundDueCents(), 2598 + refundedTax);

    prompt.clearRecord();
    prompt.answerInput("NO-SUCH-CODE");
    actions->returnWithoutReceipt();
    EXPECT_EQ(prompt.last().text, "No item in this store has the code \"NO-SUCH-CODE\".");

    actions->choosePayType(payType("Cash"));
    approveWith(dialogs, {{"1", "admin"}});
    const qint32 refund = session.sale.number();
    actions->process();
    ASSERT_TRUE(session.sale.empty()) << prompt.texts().join('\n').toStdString();
    EXPECT_DOUBLE_EQ(ts.db().scalar("SELECT qty FROM Items WHERE \"Item Index\" = 1001").toDouble(), before + 2);
    EXPECT_EQ(ts.db().scalar("SELECT count(*) FROM \"Returned Items\"").toInt(), 0);
    EXPECT_EQ(ts.db().scalar("SELECT \"approved for\" FROM \"Sale Approvals\" WHERE \"sales id\" = ?", {refund}).toString(),
              "Goods are taken back without a receipt, at today's price.");
}
