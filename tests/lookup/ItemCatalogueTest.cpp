#include "db/RowWriter.h"
#include "lookup/CatalogueRefresh.h"
#include "lookup/ItemCatalogue.h"
#include "storegen/DemoStore.h"
#include "support/TempPgStore.h"
#include "support/TempStore.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

using namespace vanta;

namespace {

// A store of items whose names and labels hold the characters SQL patterns
// treat specially, plus the demo catalogue's flags.
class CatalogueTest : public ::testing::Test {
protected:
    CatalogueTest()
    {
        db::RowWriter items(ts.db().connection(), "Items",
                            {"Item Index", "Name", "desc short", "label3", "customUOM", "qty", "Hidden", "uomid"});
        const struct { qint32 index; const char *name, *desc, *label; double qty; bool hidden; } rows[] = {
            {1, "100% Cotton Tee", "soft", "", 5, false},
            {2, "1000 Cotton Tee", "no percent here", "", 5, false},
            {3, "Snap_Hook", "", "", 5, false},
            {4, "SnapXHook", "", "", 5, false},
            {5, "Pipe [1/2]", "", "", 5, false},
            {6, "O'Brien's Mix", "", "", 5, false},
            {7, "Star * Bit", "semi;colon", "", 5, false},
            {8, "Café Crème", "", "", 5, false},
            {9, "Straße Map", "", "", 5, false},
            {10, "中文 Notebook", "", "", 5, false},
            {11, "Backorder Tee", "", "", -2, false},
            {12, "Empty Tee", "", "", 0, false},
            {13, "Hidden Tee", "", "", 5, true},
            {14, "Quote 12\" Ruler", "", "cotton", 5, false},
        };
        for (const auto &r : rows)
            items.add({r.index, QString::fromUtf8(r.name), QString::fromUtf8(r.desc), QString::fromUtf8(r.label),
                       QVariant(), r.qty, r.hidden, 0});
    }
    QStringList find(const QString &text, bool inStock = false)
    {
        lookup::ItemCatalogue catalogue(*ts.store);
        QStringList names;
        for (int pos : catalogue.search(text, inStock))
            names << catalogue.at(pos).name;
        return names;
    }
    void otherRegister(const QString &sql) { ts.commitElsewhere(sql); }
    test::TempStore ts;
};

} // namespace

TEST_F(CatalogueTest, PatternCharactersMatchLiterally)
{
    EXPECT_EQ(find("100%"), QStringList{"100% Cotton Tee"});
    EXPECT_EQ(find("p_h"), QStringList{"Snap_Hook"});
    EXPECT_EQ(find("[1/2]"), QStringList{"Pipe [1/2]"});
    EXPECT_EQ(find("["), QStringList{"Pipe [1/2]"});
    EXPECT_EQ(find("]"), QStringList{"Pipe [1/2]"});
    EXPECT_EQ(find("o'brien"), QStringList{"O'Brien's Mix"});
    EXPECT_EQ(find("*"), QStringList{"Star * Bit"});
    EXPECT_EQ(find(";"), QStringList{"Star * Bit"});
    EXPECT_EQ(find("'; DROP TABLE Items; --"), QStringList{});
    // Double quotes are dropped from the search text.
    EXPECT_EQ(find("Ruler\""), QStringList{"Quote 12\" Ruler"});
    EXPECT_EQ(find("co\"tton"), (QStringList{"100% Cotton Tee", "1000 Cotton Tee", "Quote 12\" Ruler"}));
}

TEST_F(CatalogueTest, LettersMatchInAnyCaseAcrossScripts)
{
    EXPECT_EQ(find(QString::fromUtf8("CRÈME")), QStringList{QString::fromUtf8("Café Crème")});
    EXPECT_EQ(find(QString::fromUtf8("é")), QStringList{QString::fromUtf8("Café Crème")});
    EXPECT_EQ(find("cafe"), QStringList{}); // an accent is a different letter
    EXPECT_EQ(find(QString::fromUtf8("straße")), QStringList{QString::fromUtf8("Straße Map")});
    EXPECT_EQ(find(QString::fromUtf8("中")), QStringList{QString::fromUtf8("中文 Notebook")});
    // A match never runs from one column into the next.
    EXPECT_EQ(find("tee soft"), QStringList{});
}

TEST_F(CatalogueTest, StockHiddenAndItemNumber)
{
    // Negative stock never, zero stock only without the filter, hidden never.
    EXPECT_EQ(find("Tee"), (QStringList{"100% Cotton Tee", "1000 Cotton Tee", "Empty Tee"}));
    EXPECT_EQ(find("Tee", true), (QStringList{"100% Cotton Tee", "1000 Cotton Tee"}));
    // The number a text starts with finds that item as well.
    EXPECT_EQ(find("3"), QStringList{"Snap_Hook"});
    EXPECT_EQ(find("4 pcs"), QStringList{"SnapXHook"});
}

TEST_F(CatalogueTest, KeptWithTheStoreUntilItChanges)
{
    const auto first = lookup::ItemCatalogue::current(*ts.store);
    EXPECT_EQ(lookup::ItemCatalogue::current(*ts.store), first);
    // A commit on another connection (a posting lowering stock) is seen.
    otherRegister("UPDATE Items SET qty = 1 WHERE \"Item Index\" = 12");
    const auto second = lookup::ItemCatalogue::current(*ts.store);
    EXPECT_NE(second, first);
    EXPECT_EQ(second->at(second->positionOf(12)).qty, 1);
    // So is a change through the store's own connection.
    ts.db().execute("UPDATE Items SET qty = 2 WHERE \"Item Index\" = 12");
    const auto third = lookup::ItemCatalogue::current(*ts.store);
    EXPECT_EQ(third->at(third->positionOf(12)).qty, 2);
    EXPECT_EQ(lookup::ItemCatalogue::current(*ts.store), third);
}

// After a change only the stock moved is copied with the new quantities;
// any other change of an item or unit (renamed, added, removed, a unit's
// text) builds the catalogue again, so nothing stale is ever shown.
TEST_F(CatalogueTest, RefreshesQuantitiesOnlyWhenNothingElseChanged)
{
    ts.db().execute("INSERT INTO UOM (UOMID, UOM) VALUES (1, 'box')");
    ts.db().execute("UPDATE Items SET uomid = 1 WHERE \"Item Index\" = 2");
    const auto base = lookup::ItemCatalogue::current(*ts.store);

    ts.db().execute("UPDATE Items SET qty = 0 WHERE \"Item Index\" = 1");
    EXPECT_NE(lookup::ItemCatalogue::withNewQuantities(*ts.store, *base), nullptr);
    const auto lowered = lookup::ItemCatalogue::current(*ts.store);
    EXPECT_EQ(lowered->at(lowered->positionOf(1)).qty, 0);
    EXPECT_EQ(lowered->size(), base->size());
    EXPECT_EQ(base->search("cotton", true).size(), 3u);
    EXPECT_EQ(lowered->search("cotton", true).size(), 2u) << "the search sees the new stock";

    const auto rebuilt = [&](const char *sql) {
        const auto before = lookup::ItemCatalogue::current(*ts.store);
        ts.db().execute(sql);
        EXPECT_EQ(lookup::ItemCatalogue::withNewQuantities(*ts.store, *before), nullptr) << sql;
        return lookup::ItemCatalogue::current(*ts.store);
    };
    auto c = rebuilt("UPDATE Items SET \"Name\" = 'Linen Tee' WHERE \"Item Index\" = 2");
    EXPECT_EQ(c->at(c->positionOf(2)).name, "Linen Tee");
    c = rebuilt("UPDATE Items SET \"label7\" = 'findme' WHERE \"Item Index\" = 3");
    EXPECT_EQ(c->search("findme", false).size(), 1u);
    c = rebuilt("INSERT INTO Items (\"Item Index\", \"Name\", qty) VALUES (99, 'New Tee', 1)");
    EXPECT_GE(c->positionOf(99), 0);
    c = rebuilt("DELETE FROM Items WHERE \"Item Index\" = 99");
    EXPECT_LT(c->positionOf(99), 0);
    c = rebuilt("UPDATE UOM SET UOM = 'crate' WHERE UOMID = 1");
    EXPECT_EQ(c->at(c->positionOf(2)).listUnit(), "crate");
    c = rebuilt("UPDATE Items SET \"Item Index\" = 98 WHERE \"Item Index\" = 14");
    EXPECT_GE(c->positionOf(98), 0);
    EXPECT_LT(c->positionOf(14), 0);
}

// Writes made through the store's own connection (this register's
// postings) are read back item by item; none of them, and no other
// register's change made in between, is missed.
TEST_F(CatalogueTest, OwnWritesAreReadBackWithoutMissingAny)
{
    const auto current = [&] { return lookup::ItemCatalogue::current(*ts.store); };
    const auto qtyOf = [&](qint32 item) { const auto c = current(); return c->at(c->positionOf(item)).qty; };
    current();
    ts.db().execute("UPDATE Items SET qty = 1 WHERE \"Item Index\" = 2");
    EXPECT_EQ(qtyOf(2), 1);
    {
        db::Transaction undone(ts.db().connection());
        ts.db().execute("UPDATE Items SET qty = 9 WHERE \"Item Index\" = 2");
    }
    EXPECT_EQ(qtyOf(2), 1) << "a rolled-back change is not shown";

    ts.db().execute("UPDATE Items SET qty = 4 WHERE \"Item Index\" = 3");
    otherRegister("UPDATE Items SET \"Name\" = 'Renamed Hook' WHERE \"Item Index\" = 4");
    const auto c = current();
    EXPECT_EQ(c->at(c->positionOf(3)).qty, 4);
    EXPECT_EQ(c->at(c->positionOf(4)).name, "Renamed Hook");

    ts.db().execute("UPDATE Items SET \"desc short\" = 'waxed' WHERE \"Item Index\" = 5");
    EXPECT_EQ(current()->search("waxed", false).size(), 1u);
    ts.db().execute("DELETE FROM Items");
    EXPECT_EQ(current()->size(), 0);
}

// Another register's posting is read on a worker thread and kept, so the
// next finder finds the catalogue ready; another register's change made
// while the worker read is never hidden by the worker's older result.
TEST_F(CatalogueTest, AnotherRegistersChangeIsReadInTheBackground)
{
    if (ts.store->onServer())
        GTEST_SKIP() << "the server store is read by the finder itself";
    lookup::CatalogueRefresh refresh([&] { return ts.store.get(); }, 3600 * 1000);
    std::optional<bool> kept;
    refresh.setFinishedCallback([&](bool k) { kept = k; });
    const auto waitForIt = [&] {
        kept.reset();
        while (!kept)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        return *kept;
    };

    ASSERT_TRUE(refresh.checkNow()) << "the first look reads the catalogue";
    ASSERT_TRUE(waitForIt());
    const auto first = lookup::ItemCatalogue::current(*ts.store);
    EXPECT_EQ(first, lookup::ItemCatalogue::kept(*ts.store)->catalogue) << "the finder takes the one read";
    EXPECT_FALSE(refresh.checkNow()) << "unchanged";
    ts.db().execute("UPDATE Items SET qty = 3 WHERE \"Item Index\" = 1");
    EXPECT_FALSE(refresh.checkNow()) << "this register's own change is read by the finder itself";
    lookup::ItemCatalogue::current(*ts.store);

    otherRegister("UPDATE Items SET qty = 7 WHERE \"Item Index\" = 2");
    ASSERT_TRUE(refresh.checkNow());
    EXPECT_FALSE(refresh.checkNow()) << "one worker at a time";
    ASSERT_TRUE(waitForIt());
    const auto ready = lookup::ItemCatalogue::kept(*ts.store)->catalogue;
    EXPECT_EQ(lookup::ItemCatalogue::current(*ts.store), ready) << "the finder takes it as it is";
    EXPECT_EQ(ready->at(ready->positionOf(2)).qty, 7);
    EXPECT_EQ(ready->at(ready->positionOf(1)).qty, 3);

    otherRegister("UPDATE Items SET \"Name\" = 'Renamed Tee' WHERE \"Item Index\" = 2");
    ASSERT_TRUE(refresh.checkNow());
    otherRegister("UPDATE Items SET qty = 8 WHERE \"Item Index\" = 2"); // while the worker reads
    EXPECT_FALSE(waitForIt()) << "the store moved on: the result is dropped";
    const auto latest = lookup::ItemCatalogue::current(*ts.store);
    EXPECT_EQ(latest->at(latest->positionOf(2)).name, "Renamed Tee");
    EXPECT_EQ(latest->at(latest->positionOf(2)).qty, 8);

    // This register's own write while the worker reads (before or after its
    // snapshot) keeps the result: the finder reads that row back.
    ASSERT_TRUE(refresh.readForFinder());
    ts.db().execute("UPDATE Items SET qty = 6 WHERE \"Item Index\" = 2");
    EXPECT_TRUE(waitForIt());
    const auto quick = lookup::ItemCatalogue::currentIfQuick(*ts.store);
    ASSERT_NE(quick, nullptr);
    EXPECT_EQ(quick->at(quick->positionOf(2)).qty, 6);
}

// On a server store the notes of another register's posting name the items
// whose stock it lowered: the kept catalogue is brought up to date at once,
// with those items read again alone; any other change of an item still has
// the catalogue read again.
TEST(ServerCatalogue, AnotherRegistersPostingIsHeardItemByItem)
{
    VANTA_REQUIRE_PG_SERVER();
    test::TempPgStore ts;
    db::Store other(ts.address);
    ts.db().execute("INSERT INTO Items (\"Item Index\", \"Name\", label1, qty) VALUES (1, 'Cotton Tee', 'Shirts', 5), "
                    "(2, 'Linen Tee', 'Shirts', 1), (3, 'Wool Tee', 'Shirts', 0)");
    db::Store &mine = *ts.store;
    const auto first = lookup::ItemCatalogue::current(mine);
    EXPECT_EQ(first->search("tee", true).size(), 2u);

    other.database().execute("UPDATE Items SET qty = qty - 1, \"total qty sold\" = 1 WHERE \"Item Index\" IN (1, 2)");
    const auto heard = lookup::ItemCatalogue::currentIfQuick(mine);
    ASSERT_NE(heard, nullptr) << "read again in full after a posting";
    EXPECT_EQ(heard->qtyAt(heard->positionOf(1)), 4);
    EXPECT_EQ(heard->qtyAt(heard->positionOf(2)), 0);
    EXPECT_EQ(heard->search("tee", true).size(), 1u);
    EXPECT_EQ(heard->search("shirts", true).size(), 1u) << "a column the items share, with the new stock";
    EXPECT_EQ(lookup::ItemCatalogue::currentIfQuick(mine), heard) << "nothing changed since";

    // This register's own posting is heard the same way.
    {
        db::Transaction tx(mine.database().connection());
        mine.database().execute("UPDATE Items SET qty = 7 WHERE \"Item Index\" = 3");
        tx.commit();
    }
    const auto own = lookup::ItemCatalogue::currentIfQuick(mine);
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(own->qtyAt(own->positionOf(3)), 7);

    other.database().execute("UPDATE Items SET \"Name\" = 'Silk Tee' WHERE \"Item Index\" = 2");
    EXPECT_EQ(lookup::ItemCatalogue::currentIfQuick(mine), nullptr) << "more than the stock changed";
    const auto renamed = lookup::ItemCatalogue::current(mine);
    EXPECT_EQ(renamed->nameAt(renamed->positionOf(2)), "Silk Tee");
    other.database().execute("INSERT INTO Items (\"Item Index\", \"Name\", qty) VALUES (4, 'Hemp Tee', 2)");
    EXPECT_EQ(lookup::ItemCatalogue::current(mine)->size(), 4);
}
