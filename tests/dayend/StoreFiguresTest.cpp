// The store's figures by hour, day, category and pay type, of every
// register or one, and the window that charts them.
#include "register/ActionsFixture.h"

#include "dayend/ShiftBook.h"
#include "dayend/StoreFigures.h"
#include "dayend/frmStoreView.h"
#include "platform/Currency.h"

#include <QFile>
#include <QLabel>

using namespace vanta;
using namespace vanta::dayend;
namespace demo = storegen::demo;

namespace {

class StoreFigures : public test::ActionsTest {
protected:
    StoreFigures() { start(); }

    // A hammer sold by the pay type at the register, in its open shift,
    // stamped at `when`; answers what it came to.
    qint64 sell(const QString &registerName, const QString &payTypeName, const QDateTime &when)
    {
        settings.save("POS", "Settings", "Register Name", registerName);
        if (!ShiftBook(session.store(), registerName).current()) {
            prompt.answerInput("0");
            actions->openShift();
        }
        actions->addGood(sale::Good::item(demo::PlainItem));
        actions->choosePayType(payType(payTypeName));
        actions->tenderTotal();
        const qint64 total = totalDue();
        const qint32 id = session.sale.number();
        actions->process();
        ts.db().execute("UPDATE Sales SET \"date of sale\" = ? WHERE \"Sales ID\" = ?", {when, id});
        return total;
    }
    std::vector<Tally> read(StoreView view, const QDate &day, const QString &registerName = {})
    {
        return readStoreFigures(session.store(), {view, day, registerName});
    }
};

const QDate kDay(2026, 12, 8);

} // namespace

TEST_F(StoreFigures, HoursAndDaysTakeEachSaleAtItsEdges)
{
    const qint64 hammer = sell("Front", "Cash", QDateTime(kDay, QTime(0, 0)));
    sell("Front", "Check", QDateTime(kDay, QTime(23, 59, 59)));
    sell("Back", "Cash", QDateTime(kDay.addDays(1), QTime(0, 0)));  // the next day
    sell("Back", "Cash", QDateTime(QDate(2026, 12, 31), QTime(9, 30)));
    sell("Back", "Cash", QDateTime(QDate(2027, 1, 1), QTime(9, 30))); // the next month

    const std::vector<Tally> hours = read(StoreView::ByHour, kDay);
    ASSERT_EQ(hours.size(), 24u);
    EXPECT_EQ(hours.front(), (Tally{"00:00", 1, hammer}));
    EXPECT_EQ(hours.back(), (Tally{"23:00", 1, hammer}));
    EXPECT_EQ(hours[9].count, 0);

    const std::vector<Tally> days = read(StoreView::ByDay, kDay);
    ASSERT_EQ(days.size(), 31u);
    EXPECT_EQ(days[7].count, 2);
    EXPECT_EQ(days[8].count, 1);
    EXPECT_EQ(days[30], (Tally{"Dec 31", 1, hammer}));
    EXPECT_EQ(read(StoreView::ByDay, QDate(2028, 2, 10)).size(), 29u);

    // One register's shifts, or every register's.
    EXPECT_EQ(read(StoreView::ByDay, kDay, "Front")[7].count, 2);
    EXPECT_EQ(read(StoreView::ByDay, kDay, "Back")[7].count, 0);
    EXPECT_EQ(read(StoreView::ByPayType, kDay),
              (std::vector<Tally>{{"Cash", 3, 3 * hammer}, {"Check", 1, hammer}}));
    EXPECT_EQ(read(StoreView::ByPayType, kDay, "Back"), (std::vector<Tally>{{"Cash", 2, 2 * hammer}}));
    EXPECT_EQ(shiftRegisters(session.store()), QStringList({"Back", "Front"}));

    const std::vector<Tally> categories = read(StoreView::ByCategory, kDay);
    ASSERT_EQ(categories.size(), 1u);
    EXPECT_EQ(categories[0].count, 4);
    EXPECT_EQ(categories[0].cents, 4 * 1299) << "the goods' amounts, before tax";
    // An item without a category, then one no longer in the store.
    ts.db().execute("UPDATE Items SET category = NULL WHERE \"Item Index\" = ?", {demo::PlainItem});
    EXPECT_EQ(read(StoreView::ByCategory, kDay), (std::vector<Tally>{{"(none)", 4, 4 * 1299}}));
    ts.db().execute("DELETE FROM Items WHERE \"Item Index\" = ?", {demo::PlainItem});
    EXPECT_EQ(read(StoreView::ByCategory, kDay), (std::vector<Tally>{{"(none)", 4, 4 * 1299}}));
}

TEST_F(StoreFigures, TheWindowChartsAndExports)
{
    const qint64 hammer = sell("Front", "Cash", QDateTime(kDay, QTime(10, 15)));
    frmStoreView view(session.store(), prompt, kDay);
    EXPECT_EQ(view.shown().size(), 24u);
    EXPECT_EQ(view.findChild<QLabel *>("lblTotal")->text(), "Total: 1 sales, " + formatCurrencyCents(hammer));
    view.showView(StoreView::ByCategory); // lines counted: a sale may hold several categories
    EXPECT_TRUE(view.findChild<QLabel *>("lblTotal")->text().startsWith("Total: 1 lines, "));
    view.showView(StoreView::ByPayType);
    ASSERT_EQ(view.shown().size(), 1u);
    view.setRegister("Front");
    EXPECT_EQ(view.shown().size(), 1u);
    view.setDay(kDay.addMonths(1));
    EXPECT_TRUE(view.shown().empty());
    view.setDay(kDay);

    const QString file = config.filePath("figures.csv");
    prompt.answerOpenFile(file);
    view.cmdExport_Click();
    EXPECT_TRUE(prompt.last().folder.endsWith("sales-by-pay-type-2026-12.csv"));
    QFile csv(file);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(csv.readAll()),
              "Pay type,Sales,Amount\nCash,1," + QString::number(double(hammer) / 100.0, 'f', 2) + "\n");

    prompt.answerOpenFile(config.filePath("no-such-folder/figures.csv"));
    view.cmdExport_Click();
    EXPECT_TRUE(prompt.last().text.startsWith("The figures could not be saved in "));
}

TEST(StoreFiguresCsv, NamesThatNeedQuotingAreQuoted)
{
    EXPECT_EQ(tallyCsv("Category", "Lines", {{"Tools, hand", 2, 123456}, {"12\" rulers", 1, -5}, {"Paint", 0, 0}}),
              "Category,Lines,Amount\n\"Tools, hand\",2,1234.56\n\"12\"\" rulers\",1,-0.05\nPaint,0,0.00\n");
}
