#include "db/RowWriter.h"
#include "lookup/ItemCatalogue.h"
#include "support/TempStore.h"

#include <gtest/gtest.h>

using namespace vanta;

namespace {

// Items whose short descriptions repeat their names (as stored, in another
// case, in and out of ASCII, or empty) and whose other searched columns
// repeat from item to item.
class CatalogueTextsTest : public ::testing::Test {
protected:
    struct Row {
        qint32 index;
        const char *name, *desc, *label1, *label2, *account, *unit;
        double qty;
    };
    static constexpr Row kRows[] = {
        {1, "Claw Hammer", "Claw Hammer", "Ridgeline", "", "Sales:Hardware", "", 5},
        {2, "Pliers", "PLIERS", "Ridgeline", "", "Sales:Hardware", "", 0},
        {3, "Café Crème", "Café Crème", "", "Ridgeline", "", "", 5},
        {4, "Crème Brûlée", "CRÈME BRÛLÉE", "", "", "", "", 5},
        {5, "Wrench", "", "Ridgeline", "", "Sales:Hardware", "", 3},
        {6, "Socks", "socks, wool", "", "", "Sales:Apparel", "pair", 2},
        {7, "Gloves", "Socks", "", "", "Sales:Apparel", "pair", 2},
    };

    CatalogueTextsTest()
    {
        db::RowWriter items(ts.db().connection(), "Items",
                            {"Item Index", "Name", "desc short", "label1", "label2", "accounting name", "customUOM",
                             "qty", "Hidden", "uomid"});
        for (const Row &r : kRows)
            items.add({r.index, QString::fromUtf8(r.name), QString::fromUtf8(r.desc), QString::fromUtf8(r.label1),
                       QString::fromUtf8(r.label2), QString::fromUtf8(r.account), QString::fromUtf8(r.unit), r.qty,
                       false, 0});
    }
    static QStringList names(const lookup::ItemCatalogue &c, const QString &text, bool inStock)
    {
        QStringList out;
        for (int pos : c.search(text, inStock))
            out << c.nameAt(pos);
        return out;
    }
    std::shared_ptr<const lookup::ItemCatalogue> current() { return lookup::ItemCatalogue::current(*ts.store); }
    void otherRegister(const QString &sql) { ts.commitElsewhere(sql); }

    test::TempStore ts;
};

} // namespace

TEST_F(CatalogueTextsTest, ShownTextsReadAsStoredWhateverTheSearchKeeps)
{
    const auto c = current();
    for (const Row &r : kRows) {
        const lookup::CatalogueItem item = c->at(c->positionOf(r.index));
        EXPECT_EQ(item.name, QString::fromUtf8(r.name));
        EXPECT_EQ(item.descShort, QString::fromUtf8(r.desc)) << r.name;
        EXPECT_EQ(item.customUom, QString::fromUtf8(r.unit)) << r.name;
    }
    EXPECT_EQ(names(*c, "pliers", false), QStringList{"Pliers"});
    EXPECT_EQ(names(*c, QString::fromUtf8("brûlée"), false), QStringList{QString::fromUtf8("Crème Brûlée")});
    EXPECT_EQ(names(*c, "socks", false), (QStringList{"Gloves", "Socks"})) << "a description that is another's name";
    EXPECT_EQ(names(*c, "wool", false), QStringList{"Socks"});
    EXPECT_EQ(names(*c, "apparel", false), (QStringList{"Gloves", "Socks"}));
    EXPECT_EQ(names(*c, "pair", false), (QStringList{"Gloves", "Socks"}));
}

// A catalogue copied with new stock (this register's own writes read back,
// or another register's posting read in full) finds items by the columns
// they share with others as the first did, with the new stock; a changed
// shared column has the catalogue read again.
TEST_F(CatalogueTextsTest, StockOnlyRereadsKeepTheSharedColumns)
{
    const QString cafe = QString::fromUtf8("Café Crème");
    const QStringList hardware{"Claw Hammer", "Pliers", "Wrench"};
    const auto base = current();
    EXPECT_EQ(names(*base, "sales:hardware", false), hardware);
    EXPECT_EQ(names(*base, "ridgeline", true), (QStringList{cafe, "Claw Hammer", "Wrench"}));

    ts.db().execute("UPDATE Items SET qty = 4 WHERE \"Item Index\" = 2");
    const auto own = current();
    EXPECT_EQ(names(*own, "ridgeline", true), (QStringList{cafe, "Claw Hammer", "Pliers", "Wrench"}));
    EXPECT_EQ(own->at(own->positionOf(2)).descShort, "PLIERS");

    otherRegister("UPDATE Items SET qty = 0 WHERE \"Item Index\" = 5");
    EXPECT_NE(lookup::ItemCatalogue::withNewQuantities(*ts.store, *own), nullptr) << "only stock changed";
    const auto posted = current();
    EXPECT_EQ(names(*posted, "ridgeline", true), (QStringList{cafe, "Claw Hammer", "Pliers"}));
    EXPECT_EQ(names(*posted, "sales:hardware", false), hardware);
    EXPECT_EQ(names(*posted, "claw hammer", true), QStringList{"Claw Hammer"});

    otherRegister("UPDATE Items SET label1 = 'Boltworks' WHERE \"Item Index\" = 1");
    EXPECT_EQ(lookup::ItemCatalogue::withNewQuantities(*ts.store, *posted), nullptr);
    const auto relabelled = current();
    EXPECT_EQ(names(*relabelled, "ridgeline", false), (QStringList{cafe, "Pliers", "Wrench"}));
    EXPECT_EQ(names(*relabelled, "boltworks", false), QStringList{"Claw Hammer"});
    EXPECT_EQ(names(*relabelled, "sales:hardware", false), hardware);
}
