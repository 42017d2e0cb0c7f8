// Sales rung up while the server was away, posted once it is back: in
// order, each exactly once, sold beyond the stock, the ones that cannot be
// posted set aside whole.
#include "offline/CatchUp.h"
#include "offline/OfflineFixture.h"
#include "posting/SalePosting.h"
#include "support/ScriptedPrompt.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace vanta;
using offline::CatchUp;
using offline::SaleQueue;

namespace {

class CatchUpTest : public test::OfflineTest {
protected:
    // Numbers set aside for this register, queued sales under them.
    std::vector<qint32> queueSales(int n)
    {
        offline::OfflineNumbers numbers(numbersFile);
        numbers.topUp(store(), "Front", n);
        std::vector<qint32> ids;
        for (int i = 0; i < n; ++i) {
            ids.push_back(*numbers.take());
            queue.add(test::queuedCashSale(ids.back(), QDateTime(QDate(2026, 12, 1), QTime(9, i))));
        }
        return ids;
    }
    double stock(qint32 item) { return db().scalar("SELECT qty FROM Items WHERE \"Item Index\" = ?", {item}).toDouble(); }
    qint64 sales() { return count("SELECT count(*) FROM Sales"); }
    qint64 lines(qint32 sale) { return count("SELECT count(*) FROM \"Sold Items\" WHERE \"sales id\" = ?", {sale}); }

    SaleQueue queue{queueFolder};
};

} // namespace

TEST_F(CatchUpTest, SalesArePostedInOrderOnceWithTheirTimeAndTheirNumbersFreed)
{
    const double before = stock(storegen::demo::PlainItem);
    const std::vector<qint32> ids = queueSales(3);
    CatchUp catchUp(store(), queue);
    EXPECT_TRUE(catchUp.postNext());
    EXPECT_EQ(queue.size(), 2) << "taken out once posted";
    catchUp.postAll();
    EXPECT_TRUE(queue.empty());
    EXPECT_FALSE(catchUp.postNext());
    EXPECT_EQ(catchUp.posted(), 3);
    EXPECT_EQ(catchUp.postedBefore(), 0);
    EXPECT_TRUE(catchUp.setAside().isEmpty());

    EXPECT_EQ(sales(), 3);
    for (size_t i = 0; i < ids.size(); ++i) {
        EXPECT_EQ(lines(ids[i]), 4);
        EXPECT_EQ(db().scalar("SELECT \"date of sale\" FROM Sales WHERE \"Sales ID\" = ?", {ids[i]}).toDateTime(),
                  QDateTime(QDate(2026, 12, 1), QTime(9, int(i))))
            << "stored as sold, not as posted";
    }
    EXPECT_EQ(stock(storegen::demo::PlainItem), before - 3);
    EXPECT_EQ(count("SELECT count(*) FROM \"Offline Sale Numbers\""), 0) << "used numbers are held no longer";
}

TEST_F(CatchUpTest, ASaleWhosePostingCommittedUnheardIsNotPostedAgain)
{
    const double before = stock(storegen::demo::PlainItem);
    const std::vector<qint32> ids = queueSales(2);
    // The first sale's posting committed, but the answer never came back.
    const offline::QueuedSale first = queue.read(queue.entries().first());
    sale::clsSaleItems items;
    for (const auto &line : first.lines)
        items.AddSaleItem(std::make_shared<sale::clsSaleItem>(line));
    test::ScriptedPrompt prompt;
    ASSERT_TRUE(posting::PostSale(store(), items, first.request, prompt));

    CatchUp catchUp(store(), queue);
    catchUp.postAll();
    EXPECT_EQ(catchUp.postedBefore(), 1);
    EXPECT_EQ(catchUp.posted(), 1);
    EXPECT_EQ(sales(), 2);
    EXPECT_EQ(lines(ids[0]), 4) << "its lines once";
    EXPECT_EQ(stock(storegen::demo::PlainItem), before - 2);
    EXPECT_TRUE(queue.empty());
}

TEST_F(CatchUpTest, GoodsSoldBeyondTheStockArePostedAndReportedBelowZero)
{
    // One hammer left when the sale was queued; three sold offline, one each.
    db().execute("UPDATE Items SET qty = 2, QuantityTrack = 1 WHERE \"Item Index\" = ?", {storegen::demo::PlainItem});
    queueSales(3);
    CatchUp catchUp(store(), queue);
    catchUp.postNext();
    catchUp.postNext();
    EXPECT_TRUE(catchUp.belowZero().empty()) << "at zero, not below";
    catchUp.postAll();
    EXPECT_EQ(catchUp.posted(), 3);
    const std::vector<offline::StockBelowZero> below = catchUp.belowZero();
    ASSERT_EQ(below.size(), 1u);
    EXPECT_EQ(below[0].stock, -1);
    EXPECT_FALSE(below[0].name.isEmpty());
}

TEST_F(CatchUpTest, ASaleThatCannotBeReadOrPostedIsSetAsideWholeAndTheRestGoOn)
{
    const std::vector<qint32> ids = queueSales(3);
    // The second sale's file damaged.
    const QString second = queue.folder() + "/" + queue.entries()[1];
    QFile file(second);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.seek(40);
    file.write(QByteArray(64, 'x'));
    file.close();
    // The third sells a variant the store no longer has.
    const QString third = queue.entries()[2];
    offline::QueuedSale gone = queue.read(third);
    gone.lines[2].setGood(sale::Good::variant(987654));
    queue.remove(third);
    queue.add(gone);

    CatchUp catchUp(store(), queue);
    catchUp.postAll();
    EXPECT_EQ(catchUp.posted(), 1);
    ASSERT_EQ(catchUp.setAside().size(), 2);
    EXPECT_TRUE(catchUp.setAside()[0].startsWith(second + ".damaged: ")) << catchUp.setAside()[0].toStdString();
    EXPECT_TRUE(catchUp.setAside()[1].contains(".refused: ")) << catchUp.setAside()[1].toStdString();
    EXPECT_TRUE(queue.empty());
    EXPECT_EQ(sales(), 1);
    EXPECT_EQ(lines(ids[2]), 0) << "nothing of a refused sale is stored";
    EXPECT_EQ(count("SELECT count(*) FROM \"Sold Items\""), 4);
}
