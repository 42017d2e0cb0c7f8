#include "db/Schema.h"
#include "db/Store.h"
#include "posting/KillTestSale.h"
#include "posting/SalePosting.h"
#include "sale/ReturnLine.h"
#include "sale/StoredSale.h"
#include "tax/SaleTax.h"
#include "storegen/DemoStore.h"
#include "support/TempPgStore.h"
#include "support/ScriptedPrompt.h"
#include "support/TempStore.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QSet>
#include <gtest/gtest.h>

using namespace vanta;
using test::killtest::killLines;

namespace {

constexpr double kStartStock = 100000;

// Sales per register: 500 each unless VANTA_CONCURRENT_SALES says otherwise.
int salesPerRegister()
{
    bool ok = false;
    const int n = qEnvironmentVariableIntValue("VANTA_CONCURRENT_SALES", &ok);
    return ok && n > 0 ? n : 500;
}

void fillWithStock(const db::Database &db)
{
    storegen::fillDemoStore(db);
    for (const auto &k : killLines()) {
        if (k.stockItem)
            db.execute("UPDATE Items SET qty = ? WHERE \"Item Index\" = ?", {kStartStock, k.stockItem});
        if (k.stockVariant)
            db.execute("UPDATE Subitems SET quantity = ? WHERE SubItemID = ?", {kStartStock, k.stockVariant});
    }
}

// Two registers (two programs) posting the same items at once, one with the
// lines in the opposite order; the lines are guarded against short stock.
// The milliseconds per sale of the whole run are shown and recorded under
// the store's kind.
void postFromTwoRegisters(const QString &store, const db::Database &db, const char *kind)
{
    const int n = salesPerRegister();
    QProcess first;
    QProcess second;
    QElapsedTimer clock;
    clock.start();
    first.start(QStringLiteral(VANTA_POSTING_CHILD), {store, QString::number(n), QStringLiteral("guarded")});
    second.start(QStringLiteral(VANTA_POSTING_CHILD), {store, QString::number(n), QStringLiteral("reverse,guarded")});
    for (QProcess *p : {&first, &second}) {
        EXPECT_TRUE(p->waitForFinished(600000)) << "a register hung";
        EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
    }
    const double msPerSale = double(clock.elapsed()) / (2.0 * n);

    QSet<qint32> reported;
    for (QProcess *p : {&first, &second})
        for (const QByteArray &line : p->readAllStandardOutput().split('\n'))
            if (!line.isEmpty() && line != "ready") {
                EXPECT_FALSE(reported.contains(line.toInt())) << "sale " << line.toStdString() << " twice";
                reported << line.toInt();
            }
    std::printf("[ %s store ] %.2f ms per sale, two registers posting at once\n", kind, msPerSale);
    ::testing::Test::RecordProperty(std::string("ms_per_sale_") + kind,
                                    QString::number(msPerSale, 'f', 2).toStdString());
    const auto count = [&db](const char *sql) { return db.scalar(QString::fromUtf8(sql)).toInt(); };
    EXPECT_EQ(reported.size(), 2 * n);
    EXPECT_EQ(count("SELECT count(*) FROM Sales"), 2 * n);
    EXPECT_EQ(count("SELECT count(*) FROM \"Sold Items\""), 2 * n * int(killLines().size()));
    EXPECT_EQ(count("SELECT count(DISTINCT \"Sold ID\") FROM \"Sold Items\""), 2 * n * int(killLines().size()))
        << "duplicate sold-line numbers";
    EXPECT_EQ(count(test::killtest::kIncompleteSales), 0) << "a sale without all of its lines";
    for (const auto &k : killLines())
        EXPECT_EQ(test::killtest::stockOf(db, k), kStartStock - 2.0 * n * double(k.qty)) << "line of " << k.index;
}

} // namespace

TEST(ConcurrentPosting, TwoRegistersOnAServerStore)
{
    VANTA_REQUIRE_PG_SERVER();
    test::TempPgStore ts;
    fillWithStock(ts.db());
    postFromTwoRegisters(ts.address, ts.db(), "server");
}

TEST(ConcurrentPosting, TwoRegistersOnAFileStore)
{
    test::TempStore ts;
    fillWithStock(ts.db());
    postFromTwoRegisters(ts.path(), ts.db(), "file");
}

namespace {

// Posts the lines for the cash customer, paid to the cent, taxed as the
// register taxes them.
bool postCashSale(db::Store &store, const sale::clsSaleItems &items, qint32 saleId, test::ScriptedPrompt &prompt)
{
    posting::PostingRequest request;
    request.saleId = saleId;
    request.customerId = storegen::demo::CashSaleCustomer;
    request.payTypeId = 1;
    request.employeeId = storegen::demo::CashierEmployee;
    const sale::SaleTax tax = tax::ComputeSaleTax(store, items, request.customerId, 0);
    request.taxByAgency = tax.agencies;
    qint64 total = tax.cents;
    for (const auto &line : items)
        total += line->Subtotal().cents();
    request.amounts = {total, tax.cents, total, 0, 0};
    return posting::PostSale(store, items, request, prompt);
}

bool sellOne(db::Store &store, qint32 saleId, bool acceptedBeyondStock, test::ScriptedPrompt &prompt)
{
    sale::clsSaleItems items;
    auto line = std::make_shared<sale::clsSaleItem>();
    line->setGood(sale::Good::item(storegen::demo::PlainItem));
    line->setName(QStringLiteral("Claw Hammer"));
    line->setPrice(sale::Money::fromCents(1299));
    line->setSubtotal(sale::Money::fromCents(1299));
    line->setQty(1);
    line->setTaxable(true);
    line->setTaxRuleID(storegen::seed::RuleGeneral);
    line->setExceedQty(acceptedBeyondStock);
    items.AddSaleItem(line);
    return postCashSale(store, items, saleId, prompt);
}

} // namespace

// Two registers each checked the last hammer onto a sale: the first to post
// sells it, the second is told and stores nothing; a cashier who accepted
// selling beyond the stock still can.
TEST(ConcurrentPosting, TheLastUnitIsSoldOnce)
{
    VANTA_REQUIRE_PG_SERVER();
    test::TempPgStore ts;
    storegen::fillDemoStore(ts.db());
    ts.db().execute("UPDATE Items SET qty = 1, QuantityTrack = 1 WHERE \"Item Index\" = ?",
                    {storegen::demo::PlainItem});
    db::Store otherRegister(ts.address);
    test::ScriptedPrompt first;
    test::ScriptedPrompt second;
    EXPECT_TRUE(sellOne(*ts.store, 7001, false, first));
    EXPECT_FALSE(sellOne(otherRegister, 7002, false, second));
    EXPECT_TRUE(second.texts().join("/").contains("There is not enough of \"Claw Hammer\" in stock any more"))
        << second.texts().join("/").toStdString();
    const auto qty = [&] {
        return ts.db().scalar("SELECT qty FROM Items WHERE \"Item Index\" = ?", {storegen::demo::PlainItem}).toDouble();
    };
    EXPECT_EQ(qty(), 0);
    EXPECT_EQ(ts.db().scalar("SELECT count(*) FROM Sales WHERE \"Sales ID\" = 7002").toInt(), 0);
    EXPECT_EQ(ts.db().scalar("SELECT count(*) FROM \"Sold Items\" WHERE \"sales id\" = 7002").toInt(), 0);

    test::ScriptedPrompt accepted;
    EXPECT_TRUE(sellOne(otherRegister, 7003, true, accepted));
    EXPECT_EQ(qty(), -1);
}

namespace {

// Gives back one hammer of sale 7001 on a register, posted as sale `saleId`.
bool returnOneHammer(db::Store &store, const sale::StoredSale &sold, qint32 saleId, test::ScriptedPrompt &prompt)
{
    sale::clsSaleItems items;
    items.AddSaleItem(std::make_shared<sale::clsSaleItem>(sale::returnLine(sold, sold.lines.at(0), 1)));
    return postCashSale(store, items, saleId, prompt);
}

} // namespace

// Two registers on one server open the same sale for its return and give
// back its only hammer: the first to post takes it back, the second is told
// and stores nothing.
TEST(ConcurrentPosting, ALineIsGivenBackOnceFromTwoRegisters)
{
    VANTA_REQUIRE_PG_SERVER();
    test::TempPgStore ts;
    storegen::fillDemoStore(ts.db());
    db::createAddedTables(ts.db().connection());
    test::ScriptedPrompt prompt;
    ASSERT_TRUE(sellOne(*ts.store, 7001, true, prompt));
    db::Store otherRegister(ts.address);
    const sale::StoredSale here = sale::ReadSaleForReturn(*ts.store, 7001);
    const sale::StoredSale there = sale::ReadSaleForReturn(otherRegister, 7001);
    test::ScriptedPrompt first;
    test::ScriptedPrompt second;
    EXPECT_TRUE(returnOneHammer(*ts.store, here, 7101, first)) << first.texts().join("/").toStdString();
    EXPECT_FALSE(returnOneHammer(otherRegister, there, 7102, second));
    EXPECT_TRUE(second.texts().join("/").contains("has been returned at another register meanwhile: none can still "
                                                  "be returned"))
        << second.texts().join("/").toStdString();
    EXPECT_EQ(ts.db().scalar("SELECT count(*) FROM \"Returned Items\"").toInt(), 1);
    EXPECT_EQ(ts.db().scalar("SELECT count(*) FROM Sales WHERE \"Sales ID\" = 7102").toInt(), 0);
}
