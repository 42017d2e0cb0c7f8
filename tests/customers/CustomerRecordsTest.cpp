#include "customers/CustomerCredit.h"
#include "customers/CustomerRecords.h"
#include "customers/CustomerTransactions.h"
#include "customers/InvoiceFixture.h"

using namespace vanta;
using namespace vanta::customers;

namespace {

class CustomerRecordsTest : public vanta::test::InvoiceTest {
protected:
    void addSale(qint32 saleId, qint32 custId, qint16 kind, double total, double paid, const QVariant &date,
                 qint32 payType = 4)
    {
        test::insertRow(ts.db(), "Sales",
                        {"Sales ID", "cust id", "TypeID", "total of sale", "total paid", "date of sale", "paytype"},
                        {saleId, custId, kind, total, paid, date, payType});
    }
    double balanceOf(qint32 custId)
    {
        return ts.db().scalar("SELECT balance FROM Customers WHERE \"Cust ID\" = ?", {custId}).toDouble();
    }
    const CustomerRow *row(const std::vector<CustomerRow> &rows, qint32 id)
    {
        for (const CustomerRow &r : rows)
            if (r.id == id)
                return &r;
        return nullptr;
    }
};

} // namespace

TEST_F(CustomerRecordsTest, ListShowsBalanceAndCreditLeft)
{
    addCustomer(90, "Over Limit", {{"credit limit", 500.0}, {"balance", 650.0}});
    addCustomer(91, "Nothing On File");
    addCustomer(92, "aardvark supplies", {{"credit limit", 1234.57}, {"balance", 0.01}, {"Inactive", true}});
    const std::vector<CustomerRow> rows = customerRows(session.store(), customerIdsByName(session.store()));

    // Balance and credit left; over the limit shows $0.00; inactive
    // customers are listed too.
    QStringList shown;
    for (qint32 id : {90, 91, 92, storegen::demo::CreditCustomer})
        shown << QString("%1/%2").arg(row(rows, id)->balanceCents).arg(row(rows, id)->availableCents);
    EXPECT_EQ(shown, QStringList({"65000/0", "0/0", "1/123456", "125040/374960"}));
    // Ordered by name.
    for (size_t i = 1; i < rows.size(); ++i)
        EXPECT_LE(rows[i - 1].name.compare(rows[i].name), 0) << rows[i].name.toStdString();
    // The invoice check uses the same figure (one place for both).
    EXPECT_EQ(availableCreditCents(650.0f, 700.0f), -5000);
    EXPECT_EQ(shownAvailableCreditCents(650.0f, 700.0f), 0);
}

TEST_F(CustomerRecordsTest, AddCutsNameAndRemoveRefusesCustomersWithSales)
{
    const QString longName = QString(50, QChar(0x00e9)); // 50 non-ASCII characters
    const qint32 id = customers::addCustomer(session.store(), longName);
    EXPECT_GT(id, 0);
    EXPECT_EQ(ts.db().scalar("SELECT Name FROM Customers WHERE \"Cust ID\" = ?", {id}).toString(), longName.left(41));

    addSale(7001, id, 0, 10.0, 10.0, "2026-01-05T10:00:00");
    EXPECT_EQ(removeCustomer(session.store(), id), RemoveResult::HasSales);
    EXPECT_EQ(ts.db().scalar("SELECT count(*) FROM Customers WHERE \"Cust ID\" = ?", {id}).toInt(), 1);
    EXPECT_EQ(ts.db().scalar("SELECT \"cust id\" FROM Sales WHERE \"Sales ID\" = 7001").toInt(), id);

    ts.db().execute("DELETE FROM Sales WHERE \"Sales ID\" = 7001");
    EXPECT_EQ(removeCustomer(session.store(), id), RemoveResult::Removed);
    EXPECT_EQ(ts.db().scalar("SELECT count(*) FROM Customers WHERE \"Cust ID\" = ?", {id}).toInt(), 0);
    EXPECT_EQ(removeCustomer(session.store(), id), RemoveResult::NotFound);
}

TEST_F(CustomerRecordsTest, SalesNewestFirstAndPaymentsLowerTheBalance)
{
    const qint32 c = storegen::demo::CreditCustomer; // balance 1250.40
    addSale(8001, c, 3, 400.00, 0.0, "2026-03-01T09:00:00");
    addSale(8002, c, 0, 25.50, 30.0, "2026-03-02T09:00:00", 1);
    addSale(8003, c, 3, 850.40, 100.0, "2026-02-01T09:00:00");
    const SalePage page = customerSales(session.store(), c, 10);
    EXPECT_FALSE(page.next);
    QStringList listed;
    for (const SaleSummary &s : page.sales)
        listed << QString("%1 %2 %3").arg(s.saleId).arg(s.payType).arg(s.openCents);
    // An ordinary sale owes nothing.
    EXPECT_EQ(listed, QStringList({"8002 Cash 0", "8001 INVOICE 40000", "8003 INVOICE 75040"}));

    qint64 open = 0;
    EXPECT_EQ(recordPayment(session.store(), 8001, 0, &open), PaymentResult::NotPositive);
    EXPECT_EQ(recordPayment(session.store(), 8001, -500), PaymentResult::NotPositive);
    EXPECT_EQ(recordPayment(session.store(), 8001, 40001, &open), PaymentResult::MoreThanOpen);
    EXPECT_EQ(open, 40000);
    EXPECT_EQ(recordPayment(session.store(), 8002, 100), PaymentResult::NothingOpen);
    EXPECT_EQ(recordPayment(session.store(), 9999, 100), PaymentResult::NothingOpen);
    EXPECT_FLOAT_EQ(float(balanceOf(c)), 1250.40f); // refusals change nothing

    EXPECT_EQ(recordPayment(session.store(), 8001, 15025), PaymentResult::Recorded);
    EXPECT_FLOAT_EQ(float(balanceOf(c)), 1100.15f);
    EXPECT_EQ(customerSales(session.store(), c, 10).sales[1].openCents, 24975);
    EXPECT_EQ(recordPayment(session.store(), 8001, 24975), PaymentResult::Recorded);
    EXPECT_FLOAT_EQ(float(balanceOf(c)), 850.40f);
    EXPECT_EQ(ts.db().scalar("SELECT Paid FROM Sales WHERE \"Sales ID\" = 8001").toString(), "Yes");
    EXPECT_TRUE(db::asBool(ts.db().scalar("SELECT paidinfull FROM Sales WHERE \"Sales ID\" = 8001")));
    EXPECT_EQ(recordPayment(session.store(), 8001, 1), PaymentResult::NothingOpen);
}

// Pages of every size, at the number of sales and either side of it: each
// sale once, newest first, ties by the order they were stored in, sales
// without a date last.
TEST_F(CustomerRecordsTest, SalesComePageByPageWithoutGapsOrRepeats)
{
    const qint32 c = storegen::demo::CreditCustomer;
    addSale(9001, c, 0, 1.0, 1.0, "2026-03-02T09:00:00");
    for (qint32 id : {9002, 9003, 9004})
        addSale(id, c, 0, 1.0, 1.0, "2026-03-01T09:00:00");
    addSale(9005, c, 0, 1.0, 1.0, QVariant());
    addSale(9006, c, 0, 1.0, 1.0, QVariant());
    addSale(9007, c, 0, 1.0, 1.0, "2026-03-03T09:00:00");
    addSale(9008, storegen::demo::ExemptCustomer, 0, 1.0, 1.0, "2026-03-04T09:00:00");
    const QList<qint32> newestFirst{9007, 9001, 9004, 9003, 9002, 9006, 9005};
    for (int limit : {1, 2, 3, 6, 7, 8}) {
        QList<qint32> listed;
        int pages = 0;
        std::optional<SaleCursor> at = SaleCursor();
        while (at && pages < 20) {
            const SalePage page = customerSales(session.store(), c, limit, *at);
            for (const SaleSummary &s : page.sales)
                listed << s.saleId;
            EXPECT_LE(int(page.sales.size()), limit);
            at = page.next;
            ++pages;
        }
        EXPECT_EQ(listed, newestFirst) << limit;
        // A last page that came out full is followed by an empty one.
        EXPECT_EQ(pages, 7 / limit + 1) << limit;
    }
}
