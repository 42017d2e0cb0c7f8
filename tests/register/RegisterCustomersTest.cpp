// The register's customer list: read at once on a small store, the walk-in
// customer first and the rest in the background on a large one.
#include "register/ActionsFixture.h"
#include "register/RegisterCustomers.h"

#include <QFile>

using namespace vanta;
namespace demo = storegen::demo;

namespace {

class RegisterCustomersTest : public test::ActionsTest {
protected:
    int active() { return ts.db().scalar("SELECT count(*) FROM Customers WHERE Inactive = 0").toInt(); }
    // Active customers added (named after the demo's) until `count` are active.
    void fillTo(int count)
    {
        db::Connection &conn = ts.db().connection();
        db::Transaction tx(conn);
        for (int i = active(); i < count; ++i)
            conn.execute("INSERT INTO Customers (\"Cust ID\", Name, Inactive, Phone) VALUES (?, ?, 0, '555-0100')",
                         {100000 + i, QString("Zz Customer %1").arg(i, 5, 10, QChar('0'))});
        tx.commit();
    }
    static QList<qint32> ids(const QList<CustomerListModel::Entry> &entries)
    {
        QList<qint32> out;
        for (const auto &e : entries)
            out << e.id;
        return out;
    }
    // The store file moved away: a new connection to it cannot open it,
    // while the ones open go on.
    void moveStoreFile() { ASSERT_TRUE(QFile::rename(storeFile(), storeFile() + ".moved")); }
    void putStoreFileBack() { ASSERT_TRUE(QFile::rename(storeFile() + ".moved", storeFile())); }
    QString storeFile() const { return db::Store::databaseFile(ts.path()); }
};

} // namespace

TEST_F(RegisterCustomersTest, UpToTheLimitTheListIsReadAtOnceBeyondItInTheBackground)
{
    session.openStore(ts.path());
    const int n = active();
    RegisterCustomers atOnce(n); // exactly at the limit
    atOnce.load(session.store());
    EXPECT_FALSE(atOnce.loading());
    EXPECT_EQ(atOnce.entries().size(), n);
    ASSERT_EQ(atOnce.walkIn(), demo::CashSaleCustomer);
    EXPECT_EQ(atOnce.entry(demo::CashSaleCustomer)->text, "CASH SALE - (217) 555-0142");
    // An inactive customer is not listed, and once the list is whole none is read by number.
    EXPECT_FALSE(atOnce.listed(session.store(), demo::InactiveCustomer));
    EXPECT_EQ(atOnce.entries().size(), n);

    RegisterCustomers later(n - 1); // one over the limit
    int calls = 0;
    std::exception_ptr error;
    later.setLoadedCallback([&](std::exception_ptr e) {
        ++calls;
        error = e;
    });
    later.load(session.store());
    EXPECT_TRUE(later.loading());
    EXPECT_EQ(ids(later.entries()), QList<qint32>({demo::CashSaleCustomer}));
    EXPECT_EQ(later.walkIn(), demo::CashSaleCustomer);
    // A customer picked by number while the list loads is read and listed;
    // an inactive or unknown one is not.
    EXPECT_TRUE(later.listed(session.store(), demo::CreditCustomer));
    EXPECT_FALSE(later.listed(session.store(), demo::InactiveCustomer));
    EXPECT_FALSE(later.listed(session.store(), 987654));
    EXPECT_EQ(ids(later.entries()), QList<qint32>({demo::CashSaleCustomer, demo::CreditCustomer}));
    EXPECT_EQ(later.entry(demo::CreditCustomer)->text, atOnce.entry(demo::CreditCustomer)->text);

    later.finishLoading();
    EXPECT_FALSE(later.loading());
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(error);
    EXPECT_EQ(ids(later.entries()), ids(atOnce.entries()));
    EXPECT_EQ(later.walkIn(), demo::CashSaleCustomer);
}

TEST_F(RegisterCustomersTest, AFailedBackgroundReadIsReportedAndTheListKept)
{
    if (test::TempStore::onServer())
        GTEST_SKIP() << "moves the store file";
    session.openStore(ts.path());
    RegisterCustomers later(1);
    QString said;
    later.setLoadedCallback([&](std::exception_ptr e) {
        try {
            std::rethrow_exception(e);
        } catch (const VantaError &v) {
            said = v.description();
        }
    });
    moveStoreFile();
    later.load(session.store());
    EXPECT_TRUE(later.listed(session.store(), demo::CreditCustomer));
    later.finishLoading();
    putStoreFileBack();
    EXPECT_TRUE(said.startsWith("The list of customers could not be read: ")) << said.toStdString();
    EXPECT_EQ(ids(later.entries()), QList<qint32>({demo::CashSaleCustomer, demo::CreditCustomer}));
}

TEST_F(RegisterCustomersTest, TheRegisterReadsTheLimitAtOnce)
{
    fillTo(RegisterCustomers::kReadAtOnce);
    start();
    EXPECT_FALSE(actions->customerList().loading());
    EXPECT_EQ(view.customers.size(), RegisterCustomers::kReadAtOnce);
    EXPECT_EQ(session.sale.customer(), demo::CashSaleCustomer);
}

TEST_F(RegisterCustomersTest, ALargeStoreStartsOnTheWalkInCustomerAndListsTheRestWhenRead)
{
    fillTo(RegisterCustomers::kReadAtOnce + 1);
    start();
    ASSERT_TRUE(actions->customerList().loading());
    EXPECT_EQ(ids(view.customers), QList<qint32>({demo::CashSaleCustomer}));
    EXPECT_EQ(session.sale.customer(), demo::CashSaleCustomer);

    // A customer chosen by number (a kept sale's, the customer form's) while the list loads.
    actions->chooseCustomer(demo::CreditCustomer);
    EXPECT_EQ(session.sale.customer(), demo::CreditCustomer);
    EXPECT_EQ(ids(view.customers), QList<qint32>({demo::CashSaleCustomer, demo::CreditCustomer}));

    actions->customerList().finishLoading();
    EXPECT_EQ(view.customers.size(), RegisterCustomers::kReadAtOnce + 1);
    EXPECT_EQ(session.sale.customer(), demo::CreditCustomer); // kept

    if (test::TempStore::onServer())
        return;
    // The list read again after the customer form, and that read fails: the
    // cashier is told, and the register goes on with the list it has.
    dialogs.then([](QDialog &) { return int(QDialog::Accepted); });
    moveStoreFile();
    actions->editCustomer();
    actions->customerList().finishLoading();
    putStoreFileBack();
    ASSERT_GE(prompt.count(), 1);
    EXPECT_TRUE(prompt.last().text.contains("The list of customers could not be read: ")) << prompt.last().text.toStdString();
    EXPECT_EQ(view.customers.size(), RegisterCustomers::kReadAtOnce + 1);
    EXPECT_EQ(session.sale.customer(), demo::CreditCustomer);
}
