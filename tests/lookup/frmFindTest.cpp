#include "db/RowWriter.h"
#include "lookup/CatalogueRefresh.h"
#include "lookup/FinderScripts.h"
#include "lookup/ItemCatalogue.h"
#include "lookup/frmFind.h"
#include "register/RegisterFixture.h"
#include "storegen/DemoPictures.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QTabWidget>
#include <algorithm>

using namespace vanta;
using namespace vanta::test;
using storegen::demo::PlainItem;

namespace {

using Added = sale::Good;
Added item(qint32 id) { return sale::Good::item(id); }
Added variant(qint32 id) { return sale::Good::variant(id); }

// The finder on its own over the demo store; what it adds is recorded.
class FinderTest : public ::testing::Test {
protected:
    FinderTest() { storegen::fillDemoStore(ts.db()); }

    lookup::frmFind &open(lookup::CatalogueRefresh *reader = nullptr)
    {
        finder = std::make_unique<lookup::frmFind>(
            lookup::FinderContext{*ts.store, prompt, dialogs, ts.path() + QStringLiteral("/Pictures/"),
                                  [this](const sale::Good &good) { added.push_back(good); }, [this] { ++totals; }},
            nullptr, reader);
        finder->show();
        return *finder;
    }
    template <typename T>
    T *child(const char *name) { return finder->findChild<T *>(QLatin1String(name)); }
    QTreeView *view(const char *name) { return child<QTreeView>(name); }
    QStringList column(int c)
    {
        QStringList out;
        QAbstractItemModel *m = view("lvAll")->model();
        for (int r = 0; r < m->rowCount(); ++r)
            out << m->index(r, c).data().toString();
        return out;
    }
    void search(const QString &text)
    {
        child<QLineEdit>("txtFind")->setText(text);
        QTest::mouseClick(child<QPushButton>("cmdFind"), Qt::LeftButton);
    }
    // Searches, then ticks the result row that starts with `row`.
    void searchAndTick(const QString &text, const QString &row)
    {
        search(text);
        tick(view("trvFind"), findRow(view("trvFind"), row));
    }
    QStringList resultTexts()
    {
        QStringList out;
        auto *m = static_cast<QStandardItemModel *>(view("trvFind")->model());
        for (QModelIndex i = m->index(0, 0); i.isValid(); i = view("trvFind")->indexBelow(i))
            out << i.data().toString();
        return out;
    }

    TempStore ts;
    ScriptedPrompt prompt;
    ScriptedDialogRunner dialogs;
    std::vector<Added> added;
    int totals = 0;
    std::unique_ptr<lookup::frmFind> finder;
};

} // namespace

TEST_F(FinderTest, ListShowsVisibleItemsWithUnitsAndSortsByHeader)
{
    ts.db().execute("UPDATE Items SET uomid = 0, customUOM = NULL WHERE \"Item Index\" = 1002");
    open();
    EXPECT_EQ(finder->windowTitle(), "Find Item");
    EXPECT_EQ(child<QTabWidget>("SSTab1")->currentIndex(), 0);
    const QStringList names = column(0), unitsByName = column(2);
    EXPECT_EQ(names.size(), 22); // 24 items, 2 hidden
    EXPECT_FALSE(names.contains("Sour Cream Potato Chips"));
    EXPECT_EQ(names.first(), "Adjustable Wrench 8 in.");
    const int hose = int(names.indexOf("Garden Hose 5/8 in. x 50 ft"));
    EXPECT_EQ(QStringList({column(2)[hose], column(2)[names.indexOf("Phillips Screwdriver #2")],
                           column(2)[names.indexOf("Claw Hammer 16 oz")], column(3)[hose], column(1)[hose]}),
              QStringList({"50 ft coil", "None", "Each", "$34.99", "7"}));

    QHeaderView *header = view("lvAll")->header();
    EXPECT_EQ(view("lvAll")->model()->headerData(1, Qt::Horizontal).toString(), "QTY");
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(0) + 5, 5));
    EXPECT_EQ(column(0).first(), "Wood Screws #8 x 1-1/4 in."); // Name again: descending
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(1) + 5, 5));
    EXPECT_EQ(finder->sortColumn(), 2);
    EXPECT_FALSE(finder->sortDescending());
    EXPECT_EQ(column(1).first(), "0"); // out-of-stock items first
    EXPECT_EQ(column(1).last(), "1200");
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(2) + 5, 5));
    const QStringList units = column(2);
    EXPECT_TRUE(std::is_sorted(units.begin(), units.end(), [](const QString &a, const QString &b) {
        return a.toCaseFolded() < b.toCaseFolded();
    })) << units.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(column(0)[units.indexOf("Each")], names[unitsByName.indexOf("Each")]) << "equal units keep name order";

    child<QCheckBox>("chkStock")->click();
    EXPECT_EQ(column(0).size(), 20);
    EXPECT_FALSE(column(0).contains("Adjustable Wrench 8 in."));
}

// With the register's background reader, a finder opened before the items
// are read says so and waits without blocking; once read, and after this
// register's own postings, it opens filled at once.
TEST_F(FinderTest, OpensAtOnceOrWaitsForTheBackgroundRead)
{
    if (ts.store->onServer())
        GTEST_SKIP() << "the server store is read by the finder itself";
    lookup::CatalogueRefresh reader([&] { return ts.store.get(); }, 3600 * 1000);
    open(&reader);
    EXPECT_TRUE(finder->loading());
    EXPECT_TRUE(child<QLabel>("lblLoading")->isVisible());
    EXPECT_FALSE(child<QLineEdit>("txtFind")->isEnabled());
    search("Hammer"); // nothing happens while the items are read
    EXPECT_TRUE(reader.running());
    waitForItems(*finder);
    EXPECT_FALSE(child<QLabel>("lblLoading")->isVisible());
    EXPECT_TRUE(child<QLineEdit>("txtFind")->isEnabled());
    EXPECT_EQ(column(0).size(), 22);

    ts.db().execute("UPDATE Items SET qty = 3 WHERE Name = 'Claw Hammer 16 oz'");
    open(&reader);
    EXPECT_FALSE(finder->loading()) << "this register's own change is read back at once";
    EXPECT_FALSE(reader.running());
    EXPECT_EQ(column(1)[column(0).indexOf("Claw Hammer 16 oz")], "3");
}

TEST_F(FinderTest, TickedRowsAreAddedInListOrderAndVariantsGoThroughTheOptions)
{
    open();
    QTreeView *list = view("lvAll");
    tick(list, findRow(list, "Store Logo T-Shirt"));
    tick(list, findRow(list, "Claw Hammer"));
    tick(list, findRow(list, "Phillips Screwdriver"));
    EXPECT_EQ(list->currentIndex().data().toString(), "Phillips Screwdriver #2"); // ticking selects
    QString qty, price;
    dialogs.then([&](QDialog &dlg) {
        EXPECT_EQ(dlg.windowTitle(), "Select options for Store Logo T-Shirt");
        auto *size = dlg.findChild<QComboBox *>("cmbOption0");
        auto *colour = dlg.findChild<QComboBox *>("cmbOption1");
        EXPECT_FALSE(dlg.findChild<QComboBox *>("cmbOption2")->isVisible());
        EXPECT_EQ(size->itemText(3) + "|" + size->itemText(4), "XL +($2.00)|None +($0.00)");
        size->setCurrentIndex(1); // M
        emit size->activated(1);
        colour->setCurrentIndex(0); // Black
        emit colour->activated(0);
        qty = dlg.findChild<QLabel *>("lblQty")->text();
        price = dlg.findChild<QLabel *>("lblPrice")->text();
        press(dlg, "cmdOK");
        return dlg.result();
    });
    press(*finder, "cmdAddGroup");
    EXPECT_EQ(dialogs.runs(), 1);
    EXPECT_EQ(qty, "QTY: 10");
    EXPECT_EQ(price, "Price: $14.99");
    // M / Black is the T-shirt's fourth variant (stock kept per variant).
    EXPECT_EQ(added, (std::vector<Added>{item(PlainItem), item(1002), variant(5004)}));
    EXPECT_EQ(totals, 1);
    // The ticks are gone.
    EXPECT_EQ(findRow(list, "Claw Hammer").data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
}

TEST_F(FinderTest, SearchShowsVariantsRefusesOptionItemsAndFallsBack)
{
    open();
    search("logo");
    EXPECT_EQ(child<QTabWidget>("SSTab1")->currentIndex(), 2);
    QStringList texts = resultTexts();
    ASSERT_EQ(texts.size(), 14); // root, the shirt and its twelve variants
    EXPECT_EQ(texts.mid(0, 3), QStringList({"Matching Items", "Store Logo T-Shirt - Cotton crew neck",
                                            "Store Logo T-Shirt  Size - S (0) Color - Black (0) (QTY= 6Each)"}));

    // The cap keeps its stock on the item but has variants: refused here.
    searchAndTick("baseball", "Baseball Cap");
    searchAndTick("logo", "Store Logo T-Shirt  Size - M");
    searchAndTick("baseball", "Baseball Cap");
    press(*finder, "cmdAddGroup");
    EXPECT_EQ(prompt.last().text, "Baseball Cap - Adjustable strap (QTY= 20 Each) has options and cannot be added "
                                  "without selecting them.");
    EXPECT_EQ(prompt.last().title, "Vanta POS");
    EXPECT_TRUE(added.empty());

    searchAndTick("logo", "Store Logo T-Shirt  Size - M");
    press(*finder, "cmdAddGroup");
    EXPECT_EQ(added, (std::vector<Added>{variant(5004)}));

    // A glove variant's number finds the gloves; an unknown number nothing.
    search("5203");
    EXPECT_EQ(resultTexts().value(1), "Leather Work Gloves - Cowhide, lined");
    search("4999999");
    EXPECT_EQ(resultTexts(), QStringList{"No Matching Items"});
    search("zzzzzzzzzz"); // ten characters: no fallback
    EXPECT_EQ(resultTexts(), QStringList{"Matching Items"});
}

// A search that matches more items than the results show lists the first
// ones in name order and says so.
TEST_F(FinderTest, ResultsStopAtTwoThousandItemsAndSaySo)
{
    const auto addBolts = [&](int from, int to) {
        db::Transaction tx(ts.db().connection());
        db::RowWriter items(ts.db().connection(), "Items", {"Item Index", "Name", "qty"});
        for (int i = from; i <= to; ++i)
            items.add({100000 + i, QStringLiteral("Bulk Bolt %1").arg(i, 4, 10, QLatin1Char('0')), 1});
        tx.commit();
    };
    addBolts(1, 2000);
    open();
    search("bulk bolt");
    QStringList texts = resultTexts();
    ASSERT_EQ(texts.size(), 2001);
    EXPECT_EQ(texts.first(), "Matching Items");
    EXPECT_TRUE(texts.last().startsWith("Bulk Bolt 2000")) << texts.last().toStdString();

    addBolts(2001, 2001);
    finder.reset();
    open();
    search("bulk bolt");
    texts = resultTexts();
    ASSERT_EQ(texts.size(), 2001);
    EXPECT_EQ(texts.first(), "Matching Items: the first 2,000 of 2,001 (type more of the name to narrow the search)");
    EXPECT_TRUE(texts.last().startsWith("Bulk Bolt 2000")) << texts.last().toStdString();
}

TEST_F(FinderTest, CategoryTreeShowsEveryCategoryOnceWithHiddenItems)
{
    // Bad back-office data: a category that is its own parent under the
    // root's number, and two categories that are each other's parent.
    ts.db().execute("INSERT INTO Categories (id, ParentID, Category) VALUES (-1, -1, 'Self'), (60, 61, 'A'), "
                    "(61, 60, 'B')");
    open();
    child<QTabWidget>("SSTab1")->setCurrentIndex(1);
    QTreeView *tree = view("trv");
    auto *model = static_cast<QStandardItemModel *>(tree->model());
    ASSERT_EQ(model->rowCount(), 1);
    QStandardItem *root = model->item(0);
    EXPECT_EQ(root->text(), "Top Level");
    QStringList tops;
    for (int r = 0; r < root->rowCount(); ++r)
        tops << root->child(r)->text();
    EXPECT_EQ(tops, (QStringList{"Apparel", "Garden", "Gift Cards", "Grocery", "Hardware"}));
    const QModelIndex chips = findRow(tree, "Sour Cream Potato Chips");
    ASSERT_TRUE(chips.isValid()); // hidden items are listed here
    EXPECT_EQ(chips.data().toString(), "Sour Cream Potato Chips -- Discontinued flavour  (Qty = 0 Each) Price: $3.49");
    EXPECT_FALSE(findRow(tree, "Self").isValid());

    // Categories cannot be ticked; items can.
    EXPECT_FALSE(model->itemFromIndex(findRow(tree, "Hardware"))->isCheckable());
    tick(tree, findRow(tree, "Claw Hammer"));
    press(*finder, "cmdAddGroup");
    EXPECT_EQ(added, (std::vector<Added>{item(PlainItem)}));

    child<QCheckBox>("chkStock")->click();
    EXPECT_FALSE(findRow(tree, "Sour Cream Potato Chips").isValid());
}

TEST_F(FinderTest, PicturesShowOrHide)
{
    storegen::writeDemoPictureFiles(ts.path());
    QFile::remove(ts.path() + "/Pictures/spring-water.png");
    open();
    auto *picture = child<QLabel>("imgItem");
    EXPECT_FALSE(picture->pixmap().isNull()); // nopic.jpg until an item is chosen
    QTreeView *list = view("lvAll");
    const auto click = [&](const char *name) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(findRow(list, name)).center());
    };
    click("Claw Hammer");
    EXPECT_TRUE(picture->isVisible());
    EXPECT_EQ(finder->selectedItem(), PlainItem);
    EXPECT_FLOAT_EQ(finder->selectedPrice(), 12.99f);
    click("Phillips Screwdriver"); // no picture on file
    EXPECT_FALSE(picture->isVisible());
    click("Baseball Cap");
    EXPECT_TRUE(picture->isVisible());
    click("Spring Water"); // its file is missing
    EXPECT_FALSE(picture->isVisible());
}

// "&Add Item" on the register opens the finder; what is ticked lands on the sale.
TEST_F(RegisterTest, AddItemOpensTheFinder)
{
    open();
    dialogs.then([&](QDialog &dlg) {
        EXPECT_EQ(dlg.windowTitle(), "Find Item");
        waitForItems(dlg);
        auto *list = dlg.findChild<QTreeView *>("lvAll");
        tick(list, findRow(list, "Claw Hammer"));
        press(dlg, "cmdAddGroup");
        press(dlg, "cmdClose");
        return dlg.result();
    });
    QTest::mouseClick(button("cmdAdd"), Qt::LeftButton);
    EXPECT_EQ(rowNames(), QStringList{"Claw Hammer 16 oz"});
    EXPECT_EQ(label("lblSubtotal"), "$12.99");
}
