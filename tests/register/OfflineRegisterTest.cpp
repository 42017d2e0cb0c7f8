// A register on a server store that goes away: it sells from its copy of
// the store, keeps the sales for the server, refuses what needs the server,
// and posts what it kept once it is back on the server.
#include "db/UniqueId.h"
#include "offline/LocalCopy.h"
#include "register/ActionsFixture.h"
#include "support/TempPgStore.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <gtest/gtest.h>

using namespace vanta;

namespace {

const sale::Good kHammer = sale::Good::item(storegen::demo::PlainItem);

class OfflineRegister : public test::ActionsTest {
protected:
    void SetUp() override
    {
        if (!test::PgServer::shared())
            GTEST_SKIP() << "no PostgreSQL test server: " << qPrintable(test::PgServer::whyNot());
        pg = std::make_unique<test::TempPgStore>();
        storegen::fillDemoStore(pg->db());
    }
    void TearDown() override
    {
        if (test::PgServer::shared())
            test::PgServer::shared()->start(); // whatever the test left
    }
    // The register on the server store, as a new run.
    void startRegister()
    {
        actions.reset();
        session.closeStore();
        keeper = std::make_unique<SaleKeeper>(session.sale, [this] { return session.journal(); }, session.prompt);
        actions = std::make_unique<RegisterActions>(session, view, *keeper, pg->address);
        actions->start();
    }
    // Lets the register's own work (its copy made in the background, the
    // kept sales posted a turn at a time) run until `done`.
    static bool waitFor(const std::function<bool()> &done)
    {
        QDeadlineTimer deadline(60000);
        while (!done() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return done();
    }
    QString copyFile() const
    {
        return db::Store::databaseFile(offline::LocalCopy::folderFor(settings.folder(), pg->address));
    }
    void sellHammerForCash()
    {
        actions->addGood(kHammer);
        actions->choosePayType(payType("Cash"));
        actions->tenderTotal();
        actions->process();
    }
    double serverStock() { return pg->db().scalar("SELECT qty FROM Items WHERE \"Item Index\" = 1001").toDouble(); }

    std::unique_ptr<test::TempPgStore> pg;
};

} // namespace

TEST_F(OfflineRegister, SellsFromItsCopyWhileTheServerIsAwayAndPostsTheSalesOnceItIsBack)
{
    // Online: the copy is made in the background, numbers are set aside.
    startRegister();
    ASSERT_TRUE(waitFor([&] { return QFile::exists(copyFile()); }));
    EXPECT_EQ(pg->db().scalar("SELECT count(*) FROM \"Offline Sale Numbers\"").toInt(), 250);
    EXPECT_TRUE(view.storeState.isEmpty());
    const double stockBefore = serverStock();

    // The server goes away; the register starts again and sells from its copy.
    actions.reset();
    ASSERT_TRUE(test::PgServer::shared()->stop());
    startRegister();
    ASSERT_TRUE(session.sellingOffline());
    EXPECT_TRUE(view.storeState.startsWith("Offline: the store server cannot be reached.")) << view.storeState.toStdString();
    EXPECT_TRUE(view.storeState.endsWith("0 sales wait for the server.")) << view.storeState.toStdString();
    const qint32 number = session.sale.number();
    EXPECT_GE(number, db::kOfflineSaleNumbersFrom) << "a number set aside for selling offline";
    sellHammerForCash();
    EXPECT_TRUE(session.sale.empty()) << "sold";
    EXPECT_NE(session.sale.number(), number);
    EXPECT_EQ(session.offline()->queue.size(), 1);
    EXPECT_TRUE(view.storeState.endsWith("1 sale waits for the server.")) << view.storeState.toStdString();

    // What needs the server is refused, in plain words.
    actions->returnItems();
    EXPECT_EQ(prompt.last().box(), "Vanta! POS [Information] A return needs the store server, which cannot be "
                                   "reached. Until it is back this register only sells, from its own copy of the "
                                   "store.");
    actions->addGood(kHammer);
    actions->choosePayType(payType("INVOICE"));
    actions->process();
    EXPECT_TRUE(prompt.last().box().contains("An invoice sale needs the customer's current balance"))
        << prompt.last().box().toStdString();
    EXPECT_EQ(session.offline()->queue.size(), 1);

    // Back on the server: the kept sale is posted once, under its number.
    actions.reset();
    ASSERT_TRUE(test::PgServer::shared()->start());
    startRegister();
    ASSERT_FALSE(session.sellingOffline());
    ASSERT_TRUE(waitFor([&] { return session.offline()->queue.empty(); }));
    EXPECT_EQ(pg->db().scalar("SELECT count(*) FROM Sales WHERE \"Sales ID\" = ?", {number}).toInt(), 1);
    EXPECT_EQ(pg->db().scalar("SELECT count(*) FROM Sales").toInt(), 1);
    EXPECT_EQ(serverStock(), stockBefore - 1);
    EXPECT_TRUE(view.storeState.isEmpty()) << view.storeState.toStdString();
}

TEST_F(OfflineRegister, AServerLostInTheMiddleOfARunIsSaidOnceAndTheSaleGoesOnFromTheCopy)
{
    startRegister();
    ASSERT_TRUE(waitFor([&] { return QFile::exists(copyFile()); }));
    actions->addGood(kHammer);
    actions->choosePayType(payType("Cash"));
    actions->tenderTotal();
    ASSERT_TRUE(test::PgServer::shared()->stop());
    prompt.clearRecord();
    actions->process();
    EXPECT_EQ(prompt.count(), 0) << "no box for the lost server: " << prompt.texts().join(" / ").toStdString();
    EXPECT_TRUE(session.sellingOffline());
    EXPECT_TRUE(session.sale.empty()) << "sold from the copy";
    ASSERT_EQ(session.offline()->queue.size(), 1);
    const offline::QueuedSale kept = session.offline()->queue.read(session.offline()->queue.entries().first());
    EXPECT_GE(kept.saleId(), db::kOfflineSaleNumbersFrom) << "renumbered from those set aside";
    EXPECT_TRUE(view.storeState.startsWith("Offline:")) << view.storeState.toStdString();
    EXPECT_GE(session.sale.number(), db::kOfflineSaleNumbersFrom) << "the next sale too";
}

TEST_F(OfflineRegister, ARegisterThatNeverReachedTheServerSaysItCannotSellYet)
{
    ASSERT_TRUE(test::PgServer::shared()->stop());
    prompt.answer(platform::Answer::No);
    startRegister();
    EXPECT_FALSE(session.hasStore());
    EXPECT_TRUE(prompt.texts().join("\n").contains("This register has no copy of the store to sell from while the "
                                                   "server is away"))
        << prompt.texts().join("\n").toStdString();
}
