#include "diagnostics/ApplicationTitle.h"
#include "posting/PostingFixture.h"

#include "db/DbError.h"

#include <QThread>
#include <atomic>
#include <thread>

using namespace vanta;
using namespace vanta::posting;
using platform::Answer;

namespace {

const QString kNotCompleted = QStringLiteral("You transaction was not completed successfully.");

class ProcessSale : public test::PostingTest {
protected:
    ProcessSale() { session.documents = &docs; }

    bool process(qint16 kind, qint32 saleId, qint32 customer, const PostingOptions &options = {})
    {
        return ProcessTransaction({store(), session.sale, prompt, session.documents},
                                  request(kind, saleId, customer, "$20.00", "$0.00",
                                          kind == InvoiceSale ? "$0.00" : "$20.00", "$0.00"),
                                  options);
    }
    int salesRows(qint32 saleId)
    {
        return db().scalar("SELECT count(*) FROM \"Sales\" WHERE \"Sales ID\" = ?", {saleId}).toInt();
    }
    // Errors reach the error report, as on a running register.
    void trapErrors()
    {
        diag::Trace::instance().setTrappingEnabled(true);
        diag::Trace::instance().setNotices(&notices);
    }
    // Forgets what was printed and asked so far.
    void forget()
    {
        docs.printed.clear();
        prompt.clearRecord();
    }
    // The goods of the lines on the register.
    std::vector<sale::Good> lineGoods() const
    {
        std::vector<sale::Good> goods;
        for (const auto &l : session.sale.lines())
            goods.push_back(l->good());
        return goods;
    }
};

} // namespace

TEST_F(ProcessSale, PrintsOnlyAfterTheSaleIsStored)
{
    sell({line(100, 20, 1)});
    ASSERT_TRUE(process(OrdinarySale, 31, 10));
    EXPECT_EQ(docs.printed, QStringList({"receipt 31 by 2"}));
    EXPECT_EQ(session.sale.lines().Count(), 0);
    EXPECT_EQ(prompt.count(), 0);

    // Invoice sales ask for the packing list, then print the sale report.
    for (const auto &[answer, saleId, expected] :
         {std::tuple{Answer::Yes, 32, QStringList({"packingslip.rpt 32", "singlesale.rpt 32"})},
          std::tuple{Answer::No, 33, QStringList({"singlesale.rpt 33"})}}) {
        forget();
        prompt.answer(answer);
        sell({line(100, 20, 1)});
        ASSERT_TRUE(process(InvoiceSale, saleId, 10));
        EXPECT_EQ(docs.printed, expected);
        ASSERT_EQ(prompt.count(), 1);
        EXPECT_EQ(prompt.last().text, "Do you want to print a packing list report now?");
        EXPECT_EQ(prompt.last().buttons, platform::Buttons::YesNo);
        EXPECT_EQ(prompt.last().icon, platform::Icon::Question);
        EXPECT_EQ(prompt.last().title, "Vanta POS");
    }

    // No printer, or no document service: stored, nothing asked or printed.
    forget();
    docs.printers = 0;
    sell({line(100, 20, 1)});
    EXPECT_TRUE(process(InvoiceSale, 34, 10));
    session.documents = nullptr;
    sell({line(100, 20, 1)});
    EXPECT_TRUE(process(OrdinarySale, 35, 10));
    EXPECT_EQ(salesRows(34) + salesRows(35), 2);
    EXPECT_TRUE(docs.printed.isEmpty());
    EXPECT_EQ(prompt.count(), 0);
}

TEST_F(ProcessSale, FailedStepLeavesStoreAndSaleAsTheyWere)
{
    struct Case {
        const char *what;
        qint16 kind;
        qint32 customer;
        std::vector<sale::clsSaleItems::Line> lines;
    };
    const Case cases[] = {
        {"customer of an ordinary sale missing", OrdinarySale, 404, {line(100, 20, 1)}},
        {"variant missing", OrdinarySale, 10, {line(100, 20, 1), line(9999, 1, 1)}},
        {"parent item of a variant missing", OrdinarySale, 10, {line(4001, 1, 1), line(100, 20, 1)}},
        {"customer of an invoice sale missing", InvoiceSale, 404, {line(100, 20, 1), line(2001, 5, 1, 11, 21)}},
    };
    for (const Case &c : cases) {
        session.sale.clearLines();
        sell(c.lines);
        const std::vector<sale::Good> goods = lineGoods();
        const std::string before = snapshot();
        prompt.clearRecord();
        EXPECT_FALSE(process(c.kind, 40, c.customer)) << c.what;
        EXPECT_EQ(snapshot(), before) << c.what;
        EXPECT_EQ(lineGoods(), goods) << c.what;
        ASSERT_EQ(prompt.count(), 1) << c.what;
        EXPECT_EQ(prompt.last().text + "|" + prompt.last().title, kNotCompleted + "|" + applicationTitle());
        EXPECT_EQ(prompt.last().buttons, platform::Buttons::Ok);
    }
    EXPECT_TRUE(docs.printed.isEmpty());

    // Tax recording fails on a sale that already has its "Fixed Tax" row.
    db().execute("UPDATE \"Company\" SET \"tax option\" = 2");
    test::insertRow(db(), "Tax Holder", {"Sale ID", "Tax agency", "total"}, {41, "Fixed Tax", 1.0});
    std::string before = snapshot();
    prompt.clearRecord();
    EXPECT_FALSE(process(OrdinarySale, 41, 10));
    EXPECT_EQ(snapshot(), before);
    ASSERT_EQ(prompt.count(), 2);
    EXPECT_TRUE(prompt.texts()[0].startsWith("3519 ")) << prompt.texts()[0].toStdString();
    EXPECT_EQ(prompt.texts()[1], kNotCompleted);

    // An engine error (the sale number is taken) rolls back too and reaches
    // the error report once trapping is on.
    test::insertRow(db(), "Sales", {"Sales ID"}, {42});
    before = snapshot();
    prompt.clearRecord();
    EXPECT_THROW(process(OrdinarySale, 42, 10), db::DbError);
    trapErrors();
    EXPECT_FALSE(process(OrdinarySale, 42, 10));
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(lineGoods(), (std::vector<sale::Good>{sale::Good::item(100), {sale::Good::Kind::Variant, 2001, {11, 21, 0}}}));
    ASSERT_EQ(prompt.count(), 3);
    EXPECT_EQ(prompt.texts().mid(0, 2), QStringList(2, kNotCompleted)) << "shown before the error went on";
    EXPECT_TRUE(prompt.texts()[2].startsWith("Error 3519")) << prompt.texts()[2].toStdString();
}

TEST_F(ProcessSale, LockedStoreFailsCleanlyAndPostsOnceReleased)
{
    // Another program holds the store's write lock.
    db::Store other(ts.path());
    db::Workspace holder(other);
    holder.beginTrans();
    trapErrors();
    PostingOptions quick;
    quick.busyTimeoutMs = 50;

    sell({line(100, 20, 1), line(3001, 10, 2, 31)});
    const std::string before = snapshot();
    EXPECT_FALSE(process(OrdinarySale, 50, 10, quick));
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(session.sale.lines().Count(), 2);
    ASSERT_EQ(prompt.count(), 2);
    EXPECT_EQ(prompt.texts()[0], kNotCompleted);
    EXPECT_TRUE(prompt.texts()[1].contains("locked by another program")) << prompt.texts()[1].toStdString();

    holder.rollback();
    prompt.clearRecord();
    EXPECT_TRUE(process(OrdinarySale, 50, 10, quick));
    EXPECT_EQ(salesRows(50), 1);
    EXPECT_EQ(db().scalar("SELECT count(*) FROM \"Sold Items\" WHERE \"sales id\" = 50").toInt(), 2);
    EXPECT_EQ(session.sale.lines().Count(), 0);
    EXPECT_EQ(prompt.count(), 0);
    EXPECT_EQ(store().database().scalar("PRAGMA busy_timeout").toInt(), 3000)
        << "the posting's short wait is not left on the register's connection";
}

// Another register keeps the write lock for much longer than the posting's
// wait, but commits all the while: the posting takes its turn once the
// other is through instead of giving up after its wait.
TEST_F(ProcessSale, PostingTakesTurnsWithAWriterThatKeepsCommitting)
{
    constexpr int kCommits = 40;
    std::atomic<int> committed = 0;
    std::thread other([path = ts.path(), &committed] {
        db::Store otherRegister(path);
        const db::Database &odb = otherRegister.database();
        for (int i = 0; i < kCommits; ++i) {
            db::Transaction tx(odb.connection());
            odb.execute("UPDATE Items SET qty = qty WHERE \"Item Index\" = 100");
            QThread::msleep(30); // held ten times the posting's wait in all
            tx.commit();
            ++committed;
        }
    });
    while (committed == 0)
        QThread::yieldCurrentThread();
    PostingOptions quick;
    quick.busyTimeoutMs = 200;
    sell({line(100, 20, 1)});
    bool posted = false;
    try {
        posted = process(OrdinarySale, 60, 10, quick);
    } catch (const VantaError &e) {
        ADD_FAILURE() << "gave up: " << e.description().toStdString();
    }
    other.join();
    EXPECT_TRUE(posted) << prompt.texts().join(" / ").toStdString();
    EXPECT_EQ(salesRows(60), 1);
    EXPECT_EQ(prompt.count(), 0);
}

TEST_F(ProcessSale, NothingIsPostedIntoAStoreKnownToBeDamaged)
{
    trapErrors();
    store().markDamaged("page 7 failed its check");

    sell({line(100, 20, 1)});
    const std::string before = snapshot();
    EXPECT_FALSE(process(OrdinarySale, 51, 10));
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(session.sale.lines().Count(), 1) << "the sale stays on the register";
    ASSERT_EQ(prompt.count(), 2);
    EXPECT_EQ(prompt.texts()[0], kNotCompleted);
    EXPECT_TRUE(prompt.texts()[1].contains("is damaged (page 7 failed its check)")) << prompt.texts()[1].toStdString();
    EXPECT_TRUE(prompt.texts()[1].contains("restore the store database from the latest backup"));
}

TEST_F(ProcessSale, APrinterProblemLeavesTheSalePostedAndOffersTheReceiptAgain)
{
    sell({line(100, 20, 1)});
    docs.problems = {"The receipt printer /dev/usb/lp0 is not there.", "Still not there."};
    prompt.answer(Answer::Yes); // try again: fails again
    prompt.answer(Answer::Yes); // and again: printed
    ASSERT_TRUE(ProcessTransaction({store(), session.sale, prompt, session.documents, true},
                                   request(OrdinarySale, 41, 10, "$20.00", "$0.00", "$20.00", "$0.00")));
    EXPECT_EQ(salesRows(41), 1);
    EXPECT_EQ(session.sale.lines().Count(), 0);
    // Each try kicks the drawer with the receipt: the first two never reached it.
    EXPECT_EQ(docs.printed, QStringList(3, "receipt 41 by 2 +drawer"));
    ASSERT_EQ(prompt.count(), 2);
    EXPECT_EQ(prompt.requests()[0].text, "Sale 41 is stored, but its receipt was not printed.\n\n"
                                         "The receipt printer /dev/usb/lp0 is not there.\n\n"
                                         "Print the receipt again?");
    EXPECT_EQ(prompt.requests()[1].text,
              "Sale 41 is stored, but its receipt was not printed.\n\nStill not there.\n\nPrint the receipt again?");
    EXPECT_EQ(prompt.last().buttons, platform::Buttons::YesNo);
    EXPECT_EQ(prompt.last().icon, platform::Icon::Exclamation);
    EXPECT_EQ(prompt.last().title, "Vanta POS");

    // Declined: asked once, the sale stays posted and the register goes on.
    forget();
    docs.problems = {"The print service (CUPS) cannot be reached."};
    prompt.answer(Answer::No);
    sell({line(100, 20, 1)});
    ASSERT_TRUE(process(OrdinarySale, 42, 10));
    EXPECT_EQ(salesRows(42), 1);
    EXPECT_EQ(docs.printed, QStringList{"receipt 42 by 2"});
    EXPECT_EQ(prompt.count(), 1);
}
