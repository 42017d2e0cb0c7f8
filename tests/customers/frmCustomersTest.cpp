#include "customers/CustomerTableModel.h"
#include "customers/SaleListModel.h"
#include "customers/InvoiceFixture.h"
#include "customers/TransactionList.h"
#include "customers/ctlAddress.h"
#include "customers/frmCustomers.h"
#include "platform/Currency.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

using namespace vanta;

namespace {

// The customer form over the demo store, opened as the register opens it,
// with the register's side recorded.
class frmCustomersTest : public vanta::test::InvoiceTest {
protected:
    void open(qint32 custId = storegen::demo::CreditCustomer)
    {
        dlg = std::make_unique<frmCustomers>(
            frmCustomers::Context{session.store(), prompt, dialogs, session.identity, [this] { ++reloads; },
                                  [this](qint32 id) { registerCustomer = id; },
                                  [this](const QStringList &lines) { labels << lines; }},
            custId);
        dlg->show();
        QApplication::setActiveWindow(dlg.get());
    }
    QVariant column(qint32 id, const QString &name)
    {
        return ts.db().scalar("SELECT " + db::quoteIdentifier(name) + " FROM Customers WHERE \"Cust ID\" = ?", {id});
    }
    int rowOf(qint32 id) { return dlg->list().rowOf(id); }
    QString cell(qint32 id, int col) { return dlg->list().index(rowOf(id), col).data().toString(); }
    void clickRow(qint32 id)
    {
        QTableView *v = dlg->lsvCustomers;
        v->scrollTo(dlg->list().index(rowOf(id), 0));
        QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, v->visualRect(dlg->list().index(rowOf(id), 0)).center());
    }
    // Answers the delete question (when one is asked) and presses Delete.
    void remove(std::optional<platform::Answer> answer = platform::Answer::Yes)
    {
        if (answer)
            prompt.answer(*answer);
        QTest::mouseClick(dlg->cmdDelete, Qt::LeftButton);
    }
    int customers() { return ts.db().scalar("SELECT count(*) FROM Customers").toInt(); }
    void typeInto(QWidget *w, const QString &text)
    {
        w->setFocus();
        QTest::keyClicks(w, text);
    }
    void addSale(qint32 saleId, qint32 custId, qint16 kind, double total, double paid)
    {
        test::insertRow(ts.db(), "Sales",
                        {"Sales ID", "cust id", "TypeID", "total of sale", "total paid", "date of sale", "paytype"},
                        {saleId, custId, kind, total, paid, QString("2026-03-0%1T10:00:00").arg(saleId % 10), 4});
    }
    // Many rows at once: `add` is called `count` times inside one transaction.
    void inOneGo(int count, const std::function<void(int)> &add)
    {
        db::Transaction tx(ts.db().connection());
        for (int i = 0; i < count; ++i)
            add(i);
        tx.commit();
    }

    std::unique_ptr<frmCustomers> dlg;
    int reloads = 0;
    qint32 registerCustomer = 0;
    QList<QStringList> labels;
};

} // namespace

TEST_F(frmCustomersTest, OpensOnTheCustomerWithBalancesAndCreditLeft)
{
    addCustomer(90, "Over Limit", {{"credit limit", 500.0}, {"balance", 650.0}});
    addCustomer(91, "No Balance");
    open();
    EXPECT_EQ(dlg->windowTitle(), "Customers");
    const auto header = [&](int c) { return dlg->list().headerData(c, Qt::Horizontal, Qt::DisplayRole).toString(); };
    EXPECT_EQ(QStringList({header(0), header(1), header(2)}), QStringList({"Name", "Balance", "Available Credit"}));
    EXPECT_EQ(QStringList({cell(storegen::demo::CreditCustomer, 1), cell(storegen::demo::CreditCustomer, 2),
                           cell(90, 2), cell(91, 1), cell(91, 2)}),
              QStringList({"$1,250.40", "$3,749.60", "$0.00", "$0.00", "$0.00"}));
    EXPECT_EQ(dlg->currentCustId(), storegen::demo::CreditCustomer);
    EXPECT_EQ(dlg->lsvCustomers->currentIndex().row(), rowOf(storegen::demo::CreditCustomer));
    EXPECT_EQ(dlg->txtName->text(), column(storegen::demo::CreditCustomer, "Name").toString());
    EXPECT_EQ(dlg->tabCustomers->currentIndex(), 0);
    EXPECT_FALSE(dlg->trans1->isVisible());
    EXPECT_FALSE(dlg->txtNotes->isEnabled());
    EXPECT_EQ(dlg->cboTerms->count(), 5);
    EXPECT_EQ(frmCustomers::helpTopic(2), "Customers_Transactions.htm");

    // Selecting another customer makes it the register's customer too.
    clickRow(90);
    EXPECT_EQ(dlg->currentCustId(), 90);
    EXPECT_EQ(registerCustomer, 90);
    EXPECT_EQ(dlg->txtName->text(), "Over Limit");
    EXPECT_EQ(dlg->txtCreditLimit->text(), "500");
}

TEST_F(frmCustomersTest, EditsAreStoredExactlyWhenMovingToAnotherCustomer)
{
    addCustomer(90, "Quote Test");
    addCustomer(91, "Other");
    open(90);
    const QString tricky = "O'Brien \"Bros\"; 100% DROP TABLE Customers;--";
    typeInto(dlg->txtCompanyName, tricky);
    dlg->txtSalutation->setFocus();
    dlg->txtSalutation->insert(QString::fromUtf8("Señora Zoë 日本"));
    dlg->txtWebsite->setFocus();
    dlg->txtWebsite->insert(QString(10000, 'w')); // longer than a field takes
    dlg->txtNotes->setPlainText(QString(10000, 'n') + "\nline two");
    dlg->chkTaxable->setChecked(true);
    clickRow(91);

    EXPECT_EQ(column(90, "Company Name").toString(), tricky);
    EXPECT_EQ(column(90, "Salutation").toString(), QString::fromUtf8("Señora Zoë 日本"));
    EXPECT_EQ(column(90, "Website").toString(), QString(255, 'w'));
    EXPECT_EQ(column(90, "Notes").toString(), QString(10000, 'n') + "\nline two");
    EXPECT_TRUE(db::asBool(column(90, "Taxable")));
    EXPECT_TRUE(column(90, "Fax").isNull()); // untouched fields are not written
    EXPECT_GT(customers(), 2);

    // Back on the first customer everything shows as stored.
    clickRow(90);
    EXPECT_EQ(dlg->txtCompanyName->text(), tricky);
    EXPECT_EQ(dlg->txtWebsite->text(), QString(255, 'w'));
    EXPECT_TRUE(dlg->chkTaxable->isChecked());

    // The credit limit must be a number; the stored one stays.
    dlg->txtCreditLimit->setFocus();
    QTest::keyClicks(dlg->txtCreditLimit, "lots");
    QTest::keyClick(dlg->txtCreditLimit, Qt::Key_Return);
    ASSERT_EQ(prompt.count(), 1);
    EXPECT_EQ(prompt.last().text, "The credit limit must be an amount of money of 0 or more, like 500.00.");
    EXPECT_TRUE(column(90, "credit limit").isNull());
    dlg->txtCreditLimit->setText("750.25");
    clickRow(91);
    EXPECT_FLOAT_EQ(column(90, "credit limit").toFloat(), 750.25f);

    // The name is never empty: emptied, it becomes one blank.
    clickRow(90);
    dlg->txtName->setFocus();
    dlg->txtName->selectAll();
    QTest::keyClick(dlg->txtName, Qt::Key_Backspace);
    EXPECT_EQ(dlg->txtName->text(), " ");
    dlg->accept(); // closing saves too
    EXPECT_EQ(column(90, "Name").toString(), " ");
}

TEST_F(frmCustomersTest, StatesTermsAndAddressLines)
{
    addCustomer(90, "Lower State", {{"state", "  il "}, {"Payment Terms", "net 30"},
                                    {"billing address line 2", "  Suite 5  "}});
    open(90);
    EXPECT_EQ(dlg->cboState->currentText(), "IL");
    EXPECT_EQ(dlg->cboTerms->currentText(), "Net 30");
    EXPECT_EQ(dlg->Billing->txtAddress(1)->text(), "Suite 5");

    // A chosen state or term is stored at once.
    dlg->cboState->setCurrentIndex(dlg->cboState->findText("MO"));
    emit dlg->cboState->activated(dlg->cboState->currentIndex());
    EXPECT_EQ(column(90, "state").toString(), "MO");
    emit dlg->cboTerms->activated(dlg->cboTerms->findText("COD"));
    EXPECT_EQ(column(90, "Payment Terms").toString(), "COD");

    // Editing billing line 3 and leaving it writes that line only.
    typeInto(dlg->Billing->txtAddress(2), "Peoria, IL 61602");
    dlg->Billing->txtAddress(3)->setFocus(); // line 4, left unchanged
    dlg->Shipping->txtAddress(0)->setFocus();
    EXPECT_EQ(column(90, "billing address line 3").toString(), "Peoria, IL 61602");
    EXPECT_EQ(column(90, "billing address line 2").toString(), "  Suite 5  ");
    EXPECT_TRUE(column(90, "billing address line 4").isNull());
    typeInto(dlg->Shipping->txtAddress(0), "Dock 4");
    dlg->txtCity->setFocus();
    EXPECT_EQ(column(90, "Shipping address Line 1").toString(), "Dock 4");

    // Print Label hands the billing lines to the printer.
    dlg->tabCustomers->setCurrentIndex(1);
    QTest::mouseClick(dlg->findChild<QPushButton *>("cmdPrintLabel1"), Qt::LeftButton);
    ASSERT_EQ(labels.size(), 1);
    EXPECT_EQ(labels[0], QStringList({"", "Suite 5", "Peoria, IL 61602"}));
}

TEST_F(frmCustomersTest, AddingAsksForAnUnusedNameAndCutsIt)
{
    open();
    const QString fifty = QString(50, 'Z');
    prompt.answerInput("CASH SALE").answerInput(fifty);
    QTest::mouseClick(dlg->cmdNew, Qt::LeftButton);
    ASSERT_EQ(prompt.count(), 2);
    EXPECT_EQ(prompt.requests()[0].text, "Enter a name for this Customer");
    EXPECT_EQ(prompt.requests()[1].text,
              "That name is already in use.  Please enter a new name.\n\nEnter a name for this Customer");
    const qint32 id = ts.db().scalar("SELECT \"Cust ID\" FROM Customers WHERE Name = ?", {fifty.left(41)}).toInt();
    EXPECT_GT(id, 0);
    EXPECT_EQ(dlg->currentCustId(), id);
    EXPECT_EQ(dlg->txtName->text(), fifty.left(41));
    EXPECT_EQ(registerCustomer, id);
    EXPECT_EQ(reloads, 1);
    EXPECT_EQ(dlg->tabCustomers->currentIndex(), 0);

    // An empty answer cancels.
    const int before = customers();
    prompt.answerInput("");
    QTest::mouseClick(dlg->cmdNew, Qt::LeftButton);
    EXPECT_EQ(customers(), before);
}

TEST_F(frmCustomersTest, RemovingIsRefusedForCustomersWithSales)
{
    addCustomer(90, "Has Sales");
    addSale(7001, 90, 0, 10.0, 10.0);
    open(90);
    remove();
    ASSERT_EQ(prompt.count(), 2);
    const test::PromptRequest &asked = prompt.requests()[0];
    EXPECT_EQ(asked.text + "|" + asked.title, "Are you sure you want to delete this customer?|Warning");
    EXPECT_TRUE(asked.icon == platform::Icon::Critical && asked.buttons == platform::Buttons::YesNo);
    EXPECT_EQ(prompt.last().text + "|" + prompt.last().title,
              "This customer cannot be deleted since there are sales associated with the customer.|Cannot Delete");
    EXPECT_EQ(column(90, "Name").toString(), "Has Sales");
    EXPECT_EQ(dlg->currentCustId(), 90);

    // "No" keeps the customer; "Yes" removes one without sales.
    addCustomer(91, "No Sales");
    clickRow(91);
    remove(platform::Answer::No);
    EXPECT_EQ(column(91, "Name").toString(), "No Sales");
    dlg->close();
    open(91);
    remove();
    EXPECT_TRUE(column(91, "Name").isNull());
    EXPECT_EQ(rowOf(91), -1);
    EXPECT_NE(dlg->currentCustId(), 91);
}

TEST_F(frmCustomersTest, RemovingTheLastCustomerLeavesAnEmptyList)
{
    ts.db().execute("DELETE FROM Customers WHERE \"Cust ID\" <> ?", {storegen::demo::InactiveCustomer});
    open(storegen::demo::InactiveCustomer);
    remove();
    EXPECT_EQ(dlg->list().rowCount(), 0);
    EXPECT_EQ(dlg->currentCustId(), 0);
    EXPECT_EQ(dlg->txtName->text(), "");
    prompt.clearRecord();
    remove(std::nullopt); // nothing to remove: no question
    EXPECT_EQ(prompt.count(), 0);
}

TEST_F(frmCustomersTest, PermissionsDisableWhatTheEmployeeMayNotDo)
{
    session.identity.securityOn = true;
    session.identity.employeeNumber = storegen::demo::CashierEmployee;
    session.identity.permissions.setEmployeeID(session.store(), storegen::demo::CashierEmployee);
    open();
    EXPECT_FALSE(dlg->cmdNew->isEnabled());
    EXPECT_FALSE(dlg->cmdDelete->isEnabled());
    for (QWidget *w : std::initializer_list<QWidget *>{dlg->txtName, dlg->txtCreditLimit, dlg->cboTerms,
                                                        dlg->cboState, dlg->chkTaxable, dlg->chkInactive,
                                                        dlg->Billing, dlg->Shipping, dlg->txtNotes})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    dlg->tabCustomers->setCurrentIndex(2);
    EXPECT_TRUE(dlg->trans1->isVisible()); // the cashier may sell, so sees the sales
}

TEST_F(frmCustomersTest, PaymentAgainstAnOpenInvoiceRefreshesBalances)
{
    const qint32 c = storegen::demo::CreditCustomer; // balance 1250.40
    open();
    // Sales taken while the form is open show when the tab is shown.
    addSale(8001, c, 3, 400.00, 0.0);
    addSale(8002, c, 0, 20.00, 20.0);
    dlg->tabCustomers->setCurrentIndex(2);
    ASSERT_TRUE(dlg->trans1->isVisible());
    ASSERT_EQ(dlg->trans1->sales().size(), 2u);
    EXPECT_EQ(dlg->trans1->sales()[0].saleId, 8002);
    auto *pay = dlg->trans1->findChild<QPushButton *>("cmdPayment");

    // Too much, nothing and a non-amount are refused; nothing changes.
    ASSERT_TRUE(dlg->trans1->selectSale(8001));
    prompt.answerInput("400.01").answerInput("0").answerInput("ten");
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(pay, Qt::LeftButton);
    const QStringList texts = prompt.texts();
    ASSERT_EQ(texts.size(), 6);
    EXPECT_EQ(texts[0], "Amount paid on sale 8001 ($400.00 open):");
    EXPECT_EQ(prompt.requests()[0].defaultText, "400.00");
    EXPECT_EQ(texts[1], "The payment of $400.01 is more than the $400.00 still open on sale 8001.");
    EXPECT_EQ(texts[3], "The payment must be more than $0.00.");
    EXPECT_EQ(texts[5], "\"ten\" is not an amount of money. Enter the payment like 25.00.");
    EXPECT_EQ(cell(c, 1), "$1,250.40");

    // A good payment lowers the balance; the list follows at once.
    prompt.answerInput("$150.40");
    QTest::mouseClick(pay, Qt::LeftButton);
    EXPECT_FLOAT_EQ(column(c, "balance").toFloat(), 1100.00f);
    EXPECT_EQ(QStringList({cell(c, 1), cell(c, 2)}), QStringList({"$1,100.00", "$3,900.00"}));
    EXPECT_EQ(dlg->trans1->sales()[1].openCents, 24960);
    EXPECT_EQ(dlg->currentCustId(), c);

    // Opening a sale shows its lines.
    test::insertRow(ts.db(), "Sold Items", {"Sold ID", "sales id", "line item", "Item Index", "sold price", "qty sold"},
                    {1, 8001, 1, storegen::demo::PlainItem, 12.99, 2.0});
    QString lineText;
    dialogs.then([&](QDialog &d) {
        auto *t = d.findChild<QTableWidget *>("lvLines");
        lineText = d.windowTitle() + "|" + t->item(0, 0)->text() + "|" + t->item(0, 3)->text();
        return 0;
    });
    dlg->trans1->selectSale(8001);
    QTest::mouseClick(dlg->trans1->findChild<QPushButton *>("cmdOpenSale"), Qt::LeftButton);
    EXPECT_EQ(lineText, "Sale 8001|Claw Hammer 16 oz|$25.98");
}

// The list reads its rows a block at a time as they are shown: every row,
// on both sides of each block's edge, shows its own customer; customers of
// the same name come by number.
TEST_F(frmCustomersTest, ALongListShowsEachCustomerInNameOrder)
{
    constexpr int kCount = 2 * customers::CustomerTableModel::kBlock + 44;
    inOneGo(kCount, [&](int i) {
        // Numbers run against the names; the last two share a name.
        const QString name = i < kCount - 2 ? QString("Zz %1").arg(i, 3, 10, QChar('0')) : QString("Zz Twin");
        addCustomer(9000 - i, name, {{"balance", i / 100.0}});
    });
    open();
    const int first = dlg->list().rowCount() - kCount; // the demo's customers come before
    ASSERT_GT(first, 0);
    for (int i = 0; i < kCount - 2; ++i) {
        const QModelIndex name = dlg->list().index(first + i, 0);
        ASSERT_EQ(name.data().toString(), QString("Zz %1").arg(i, 3, 10, QChar('0'))) << i;
        EXPECT_EQ(name.data(customers::CustomerTableModel::IdRole).toInt(), 9000 - i);
        EXPECT_EQ(dlg->list().index(first + i, 1).data().toString(), formatCurrencyCents(i)) << i;
    }
    EXPECT_EQ(dlg->list().idAt(first + kCount - 2), 9000 - (kCount - 1));
    EXPECT_EQ(dlg->list().idAt(first + kCount - 1), 9000 - (kCount - 2));
    clickRow(9000 - 200);
    EXPECT_EQ(dlg->txtName->text(), "Zz 200");
}

// A customer with more sales than a page: the newest page shows, the next
// comes as the list is scrolled to its end, and a payment on a sale of a
// later page keeps it listed and chosen.
TEST_F(frmCustomersTest, TransactionsComeAPageAtATime)
{
    const qint32 c = storegen::demo::CreditCustomer;
    constexpr int kSales = SaleListModel::kPage + 1;
    inOneGo(kSales, [&](int i) {
        test::insertRow(ts.db(), "Sales",
                        {"Sales ID", "cust id", "TypeID", "total of sale", "total paid", "date of sale", "paytype"},
                        {7000 + i, c, 3, 10.0, 0.0, QDateTime(QDate(2025, 1, 1), QTime(9, 0)).addSecs(60 * i), 4});
    });
    open();
    dlg->tabCustomers->setCurrentIndex(2);
    ASSERT_EQ(dlg->trans1->sales().size(), size_t(SaleListModel::kPage));
    EXPECT_EQ(dlg->trans1->sales().front().saleId, 7000 + kSales - 1);
    dlg->trans1->view()->scrollToBottom();
    QApplication::processEvents();
    ASSERT_EQ(dlg->trans1->sales().size(), size_t(kSales));
    EXPECT_EQ(dlg->trans1->sales().back().saleId, 7000);

    ASSERT_TRUE(dlg->trans1->selectSale(7000));
    prompt.answerInput("4.00");
    QTest::mouseClick(dlg->trans1->findChild<QPushButton *>("cmdPayment"), Qt::LeftButton);
    EXPECT_EQ(dlg->trans1->sales().size(), size_t(kSales));
    EXPECT_EQ(dlg->trans1->sales().back().openCents, 600);
    EXPECT_EQ(dlg->trans1->view()->currentIndex().row(), kSales - 1);
}
