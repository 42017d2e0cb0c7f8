// Sales waiting for the server: their record and their folder, a damaged
// one named and set aside.
#include "offline/OfflineError.h"
#include "offline/OfflineFixture.h"
#include "support/Raised.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace vanta;
using offline::QueuedSale;
using offline::SaleQueue;

namespace {

void expectSame(const QueuedSale &a, const QueuedSale &b)
{
    EXPECT_EQ(a.soldAt, b.soldAt);
    ASSERT_EQ(a.lines.size(), b.lines.size());
    for (size_t i = 0; i < a.lines.size(); ++i) {
        EXPECT_EQ(a.lines[i].good(), b.lines[i].good());
        EXPECT_EQ(a.lines[i].Price(), b.lines[i].Price());
        EXPECT_EQ(a.lines[i].qty(), b.lines[i].qty());
        EXPECT_EQ(a.lines[i].ExceedQty(), b.lines[i].ExceedQty());
    }
    const posting::PostingRequest &x = a.request, &y = b.request;
    EXPECT_EQ(x.kind, y.kind);
    EXPECT_EQ(x.saleId, y.saleId);
    EXPECT_EQ(x.customerId, y.customerId);
    EXPECT_EQ(x.payTypeId, y.payTypeId);
    EXPECT_EQ(x.employeeId, y.employeeId);
    EXPECT_EQ(x.shiftId, y.shiftId);
    EXPECT_EQ(x.amounts.total, y.amounts.total);
    EXPECT_EQ(x.amounts.tax, y.amounts.tax);
    EXPECT_EQ(x.amounts.tendered, y.amounts.tendered);
    EXPECT_EQ(x.amounts.change, y.amounts.change);
    EXPECT_EQ(x.amounts.shipping, y.amounts.shipping);
    EXPECT_EQ(x.taxByAgency, y.taxByAgency);
    ASSERT_EQ(x.approval.has_value(), y.approval.has_value());
    if (x.approval) {
        EXPECT_EQ(x.approval->employeeId, y.approval->employeeId);
        EXPECT_EQ(x.approval->what, y.approval->what);
    }
}

class SaleQueueTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    SaleQueue queue{dir.path() + "/queue"};
};

} // namespace

TEST(QueuedSale, EveryPartComesBackAndDamageIsRefused)
{
    QueuedSale sale = test::queuedCashSale(2013265921);
    sale.request.shiftId = 77;
    sale.request.approval = posting::PostingRequest::Approved{5, QStringLiteral("price override")};
    const QByteArray record = offline::encodeQueuedSale(sale);
    expectSame(offline::decodeQueuedSale(record), sale);
    QueuedSale plain = test::queuedCashSale(9);
    plain.request.taxByAgency.clear();
    expectSame(offline::decodeQueuedSale(offline::encodeQueuedSale(plain)), plain);

    // Cut short anywhere, longer than written, another form: refused whole.
    for (const qsizetype keep : {qsizetype(0), qsizetype(3), record.size() / 2, record.size() - 1})
        EXPECT_EQ(test::errorNumber([&] { offline::decodeQueuedSale(record.left(keep)); }),
                  offline::OfflineError::Number)
            << keep;
    EXPECT_EQ(test::errorNumber([&] { offline::decodeQueuedSale(record + '\0'); }), offline::OfflineError::Number);
    QByteArray otherForm = record;
    otherForm[3] = 2;
    EXPECT_EQ(test::raised([&] { offline::decodeQueuedSale(otherForm); }).text,
              "it was written in a form this register does not know");
}

TEST_F(SaleQueueTest, SalesWaitInOrderAcrossRunsUntilTakenOut)
{
    EXPECT_TRUE(queue.empty()) << "no folder yet";
    for (qint32 n = 1; n <= 11; ++n)
        queue.add(test::queuedCashSale(n));
    // A later run of the register finds them in the order they were sold
    // (the tenth after the ninth: names of fixed width).
    SaleQueue again(queue.folder());
    const QStringList entries = again.entries();
    ASSERT_EQ(entries.size(), 11);
    for (int i = 0; i < entries.size(); ++i)
        EXPECT_EQ(again.read(entries[i]).saleId(), i + 1);
    EXPECT_TRUE(again.holds(11));
    EXPECT_FALSE(again.holds(12));

    again.remove(entries.first());
    again.remove(entries.last());
    EXPECT_EQ(again.size(), 9);
    EXPECT_EQ(again.read(again.entries().first()).saleId(), 2);
    // A new sale goes after every one waiting.
    again.add(test::queuedCashSale(12));
    EXPECT_EQ(again.read(again.entries().last()).saleId(), 12);

    // A write cut short leaves a file beside the queue that is no entry.
    QFile cut(queue.folder() + "/0000000099.sale.new");
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write("half");
    cut.close();
    EXPECT_EQ(again.size(), 10);
}

TEST_F(SaleQueueTest, ADamagedSaleIsNamedAndSetAsideAndItsPlaceNotGivenAgain)
{
    queue.add(test::queuedCashSale(1));
    queue.add(test::queuedCashSale(2));
    const QString second = queue.entries().last();
    const QString path = queue.folder() + "/" + second;
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    QByteArray bytes = file.readAll();
    for (qsizetype i = 40; i < bytes.size(); i += 7)
        bytes[i] = char(bytes[i] ^ 0x5a);
    file.seek(0);
    file.write(bytes);
    file.close();

    const test::Raised r = test::raised([&] { queue.read(second); });
    EXPECT_EQ(r.number, offline::OfflineError::Number);
    EXPECT_TRUE(r.text.contains(path)) << r.text.toStdString();
    EXPECT_FALSE(queue.holds(2));

    const QString aside = queue.setAside(second, "damaged");
    EXPECT_EQ(aside, path + ".damaged");
    EXPECT_TRUE(QFile::exists(aside)) << "kept for whoever can mend it";
    EXPECT_EQ(queue.entries(), QStringList{"0000000001.sale"});
    queue.add(test::queuedCashSale(3));
    EXPECT_EQ(queue.entries().last(), "0000000003.sale");
}

TEST_F(SaleQueueTest, AQueueThatCannotBeWrittenQueuesNothing)
{
    QFile blocker(dir.path() + "/queue");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)) << "a file where the folder should be";
    blocker.close();
    EXPECT_EQ(test::errorNumber([&] { queue.add(test::queuedCashSale(1)); }), offline::OfflineError::Number);
    EXPECT_TRUE(queue.empty());
}
