#include "db/Schema.h"
#include "diagnostics/VantaError.h"
#include "storegen/DemoStore.h"
#include "support/TempStore.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace vanta;
namespace demo = storegen::demo;

namespace {

qint64 count(const db::Database &db, const QString &sql, const QVariantList &params = {})
{
    return db.scalar(sql, params).toLongLong();
}

// The upper bounds of a price or shipping scheme, in stored order.
QList<double> maxes(const db::Database &db, const QString &sql, qint32 id)
{
    QList<double> out;
    for (auto rs = db.openQuery(sql + " ORDER BY rowid", {id}); !rs.eof(); rs.moveNext())
        out << db::asDouble(rs.field(0));
    return out;
}
QList<double> levelMaxes(const db::Database &db, qint32 item)
{
    return maxes(db, R"(SELECT "Max" FROM BulkLevelPricing WHERE "Item Index" = ?)", item);
}

// Finite bounds ascending in stored order, exactly one open top (-1), last.
void expectRanges(const QList<double> &maxes, const QString &what)
{
    ASSERT_FALSE(maxes.isEmpty()) << what.toStdString();
    EXPECT_EQ(maxes.last(), -1) << what.toStdString();
    EXPECT_EQ(maxes.count(-1.0), 1) << what.toStdString();
    for (int i = 1; i + 1 < maxes.size(); ++i)
        EXPECT_LT(maxes[i - 1], maxes[i]) << what.toStdString();
}

// Rules every generated store keeps, so that the register's lookups find
// what the rows promise.
void expectSoundStore(const db::Database &db)
{
    // Barcodes: present, unique, and typeable by a scanner (digits, capitals).
    EXPECT_EQ(count(db, R"(SELECT count(DISTINCT "barcode label") FROM Items)"), count(db, "SELECT count(*) FROM Items"));
    const QRegularExpression scannable(QStringLiteral("^[0-9A-Z]{6,14}$"));
    for (auto rs = db.openQuery(R"(SELECT "barcode label" FROM Items)"); !rs.eof(); rs.moveNext())
        EXPECT_TRUE(scannable.match(rs.text("barcode label")).hasMatch()) << rs.text("barcode label").toStdString();

    // Bulk levels: some bulk items have levels, each set well ordered.
    int withLevels = 0;
    for (auto rs = db.openQuery(R"(SELECT "Item Index" FROM Items WHERE bulkdiscount <> 0)"); !rs.eof(); rs.moveNext()) {
        const qint32 item = db::asLong(rs.field(0));
        const QList<double> maxes = levelMaxes(db, item);
        if (!maxes.isEmpty()) {
            ++withLevels;
            expectRanges(maxes, QStringLiteral("levels of item %1").arg(item));
        }
    }
    EXPECT_GT(withLevels, 0);

    // Variants: parent exists; a variant number is never an item number
    // (ids are tried as items first); every option value belongs to an
    // option of the same item.
    EXPECT_GT(count(db, "SELECT count(*) FROM Subitems"), 0);
    EXPECT_EQ(count(db, "SELECT count(DISTINCT SubItemID) FROM Subitems"), count(db, "SELECT count(*) FROM Subitems"));
    for (const char *col : {"valueid1", "valueid2", "valueid3"})
        EXPECT_EQ(count(db, QStringLiteral(R"(SELECT count(*) FROM Subitems s WHERE s.%1 <> 0 AND NOT EXISTS
                  (SELECT 1 FROM "Values" v JOIN Attributes a ON a.AttributeID = v.AttributeID
                   WHERE v.ValueID = s.%1 AND a.ItemID = s.ItemID))").arg(col)), 0) << col;

    // Rows that break a rule above, or a reference between master tables:
    // none.
    for (const char *broken : {
             R"(SELECT count(*) FROM BulkLevelPricing WHERE "Item Index" NOT IN
                (SELECT "Item Index" FROM Items WHERE bulkdiscount <> 0))",
             R"(SELECT count(*) FROM Subitems WHERE ItemID NOT IN (SELECT "Item Index" FROM Items))",
             R"(SELECT count(*) FROM Subitems WHERE SubItemID IN (SELECT "Item Index" FROM Items))",
             R"(SELECT count(*) FROM Subitems WHERE valueid1 = 0)",
             "SELECT count(*) FROM Items WHERE category NOT IN (SELECT id FROM Categories)",
             "SELECT count(*) FROM Categories WHERE ParentID <> -1 AND ParentID NOT IN (SELECT id FROM Categories)",
             "SELECT count(*) FROM Items WHERE FormatID NOT IN (SELECT FormatID FROM Format)",
             "SELECT count(*) FROM Items WHERE uomid > 0 AND uomid NOT IN (SELECT UOMID FROM UOM)",
             R"(SELECT count(*) FROM Items WHERE Taxable <> 0 AND "tax rule id" NOT IN
                (SELECT "Rule ID" FROM "Tax Rule Definitions"))",
             R"(SELECT count(*) FROM "Tax Rule Definitions" WHERE "type ID" NOT IN (SELECT id FROM "Tax Types"))",
             R"(SELECT count(*) FROM "Tax Types" WHERE agency NOT IN (SELECT id FROM "Tax Agencies"))",
             R"(SELECT count(*) FROM "Tax Types" t WHERE NOT EXISTS
                (SELECT 1 FROM "Tax splits" s WHERE s."Type id" = t.id))",
             R"(SELECT count(*) FROM "Tax Types" t WHERE "jurisdiction type" <> 7
                AND NOT EXISTS (SELECT 1 FROM jurisdictions j WHERE j.TypeID = t.id))"})
        EXPECT_EQ(count(db, broken), 0) << broken;
    EXPECT_GT(count(db, R"(SELECT count(*) FROM "Tax Rule Definitions" WHERE "Rule ID" =
                           (SELECT "shipping tax rule" FROM Company))"), 0);

    // Shipping: the three schemes, each with well-ordered ranges.
    EXPECT_EQ(count(db, "SELECT count(DISTINCT ShippingTypeID) FROM ShippingTypes WHERE ShippingTypeID IN (0, 1, 2)"), 3);
    for (int type = 0; type <= 2; ++type)
        expectRanges(maxes(db, "SELECT Max FROM ShippingCharges WHERE ShippingTypeID = ?", type),
                     QStringLiteral("shipping type %1").arg(type));

    // One active "CASH SALE", and the pay types the register expects.
    EXPECT_EQ(count(db, "SELECT count(*) FROM Customers WHERE Name LIKE '%CASH SALE%' AND Inactive = 0"), 1);
    EXPECT_EQ(count(db, "SELECT count(DISTINCT \"Cust ID\") FROM Customers"), count(db, "SELECT count(*) FROM Customers"));
    EXPECT_EQ(count(db, "SELECT count(*) FROM PayTypes WHERE paytype IN ('Cash', 'INVOICE')"), 2);
}

QString digest(const db::Database &db)
{
    QString d;
    for (auto rs = db.openQuery(R"(SELECT "Item Index", Name, "barcode label", "LIST PRICE", qty FROM Items ORDER BY 1)");
         !rs.eof(); rs.moveNext())
        d += rs.text("Name") + rs.text("barcode label") + rs.text("LIST PRICE") + rs.text("qty");
    for (auto rs = db.openQuery(R"(SELECT Name, Phone, City FROM Customers ORDER BY "Cust ID")"); !rs.eof(); rs.moveNext())
        d += rs.text("Name") + rs.text("Phone") + rs.text("City");
    return d;
}

// The demo store on its own store.
class DemoStore : public ::testing::Test {
protected:
    DemoStore() { storegen::fillDemoStore(db); }
    test::TempStore ts;
    const db::Database &db = ts.db();
};

} // namespace

TEST_F(DemoStore, OpensWithTheKeyAndHoldsWhatTheRegisterStartsWith)
{
    const db::Store fresh(ts.path()); // a fresh connection with the store's key
    const db::Database &db = fresh.database();
    expectSoundStore(db);

    auto company = db.openTable("Company");
    ASSERT_FALSE(company.eof());
    EXPECT_EQ(company.text("Name"), "Vanta Corner Store");
    EXPECT_EQ(db::asLong(company.field("tax option")), 3);
    EXPECT_DOUBLE_EQ(db::asDouble(company.field("sales tax")), 7.25);
    EXPECT_EQ(db::asLong(company.field("shipping option")), 2);
    EXPECT_TRUE(db::asBool(company.field("taxable shipping")));

    // CASH SALE: active, taxable, and where the jurisdiction test reads by
    // position: 6 state, 2 city, 3 county, 4 zip, 15 FIPS code.
    auto cust = db.openTable("Customers");
    cust.setIndex("Cust ID");
    ASSERT_TRUE(cust.seek(demo::CashSaleCustomer));
    EXPECT_EQ(cust.text("Name"), "CASH SALE");
    EXPECT_FALSE(db::asBool(cust.field("Inactive")));
    EXPECT_TRUE(db::asBool(cust.field("Taxable")));
    EXPECT_EQ(QStringList({cust.field(6).toString(), cust.field(2).toString(), cust.field(3).toString(),
                           cust.field(4).toString(), cust.field(15).toString()}),
              QStringList({"IL", "Springfield", "Sangamon", "62701", "17167"}));
    EXPECT_TRUE(cust.field("billing address line 1").isNull());

    ASSERT_TRUE(cust.seek(demo::CreditCustomer));
    EXPECT_GT(db::asSingle(cust.field("credit limit")), 0.f);
    EXPECT_GT(db::asSingle(cust.field("balance")), 0.f);
    ASSERT_TRUE(cust.seek(demo::InactiveCustomer));
    EXPECT_TRUE(db::asBool(cust.field("Inactive")));
    ASSERT_TRUE(cust.seek(demo::ExemptCustomer));
    EXPECT_FALSE(db::asBool(cust.field("Taxable")));
    EXPECT_GE(count(db, "SELECT count(*) FROM Customers"), 7);

    QStringList payTypes;
    for (auto rs = db.openTable("PayTypes"); !rs.eof(); rs.moveNext())
        payTypes << rs.text("paytype");
    EXPECT_EQ(payTypes, (QStringList{"Cash", "Check", "Credit Card", "INVOICE", "Internet Sale"}));
    EXPECT_GE(count(db, "SELECT count(*) FROM States"), 24);
    EXPECT_GT(count(db, "SELECT count(*) FROM PaymentTerms"), 0);
    EXPECT_GT(count(db, "SELECT count(*) FROM ShippingMethods"), 0);
}

TEST_F(DemoStore, EmployeesCoverEveryPermissionCase)
{
    auto perms = db.openTable("Permissions");
    perms.setIndex("Employee ID");
    const auto flags = db::findTable("Permissions")->columns.mid(1);
    ASSERT_EQ(flags.size(), 18);

    ASSERT_TRUE(perms.seek(demo::ManagerEmployee));
    for (const auto &f : flags)
        EXPECT_TRUE(db::asBool(perms.field(f.name))) << f.name.toStdString();
    ASSERT_TRUE(perms.seek(demo::CashierEmployee));
    for (const auto &f : flags)
        EXPECT_EQ(db::asBool(perms.field(f.name)), f.name == "Sell Items") << f.name.toStdString();
    perms.seek(demo::UnprivilegedEmployee);
    EXPECT_TRUE(perms.noMatch());

    auto emp = db.openTable("Employees");
    emp.setIndex("Employee ID");
    const struct { qint32 id; const char *password; bool active; } logons[] = {
        {demo::ManagerEmployee, "admin", true}, {demo::CashierEmployee, "cashier", true},
        {demo::UnprivilegedEmployee, "trainee", true}, {demo::InactiveEmployee, "retired", false}};
    for (const auto &l : logons) {
        ASSERT_TRUE(emp.seek(l.id)) << l.id;
        EXPECT_EQ(emp.text("Password"), l.password);
        EXPECT_EQ(db::asBool(emp.field("Active")), l.active);
        EXPECT_FALSE(emp.text("First Name").isEmpty());
    }
}

TEST_F(DemoStore, CatalogueOffersEveryKindOfItem)
{
    EXPECT_EQ(count(db, "SELECT count(*) FROM Items"), 24);
    EXPECT_EQ(levelMaxes(db, demo::BulkItem), (QList<double>{9, 49, -1}));
    EXPECT_TRUE(levelMaxes(db, demo::BulkWithoutLevels).isEmpty());
    EXPECT_EQ(count(db, R"(SELECT bulkdiscount FROM Items WHERE "Item Index" = ?)", {demo::BulkWithoutLevels}), 1);
    EXPECT_EQ(count(db, R"(SELECT Hidden FROM Items WHERE "Item Index" = ?)", {demo::HiddenItem}), 1);
    EXPECT_EQ(count(db, R"(SELECT qty FROM Items WHERE "Item Index" = ?)", {demo::OutOfStockItem}), 0);
    EXPECT_EQ(count(db, R"(SELECT Taxable FROM Items WHERE "Item Index" = ?)", {demo::NonTaxableItem}), 0);
    EXPECT_GT(count(db, R"(SELECT count(*) FROM Items WHERE "barcode label" GLOB '*[A-Z]*')"), 0);

    // Formats with the increments bulk levels step by.
    EXPECT_EQ(count(db, "SELECT count(*) FROM Format WHERE Increment IN (1, 0.5) OR abs(Increment - 0.1) < 1e-6"), 3);

    // Per-variant stock: the tracked item's variants carry its stock.
    EXPECT_EQ(count(db, R"(SELECT QuantityTrack FROM Items WHERE "Item Index" = ?)", {demo::TrackedVariantItem}), 1);
    EXPECT_EQ(count(db, "SELECT sum(quantity) FROM Subitems WHERE ItemID = ?", {demo::TrackedVariantItem}),
              count(db, R"(SELECT qty FROM Items WHERE "Item Index" = ?)", {demo::TrackedVariantItem}));
    EXPECT_EQ(count(db, "SELECT ItemID FROM Subitems WHERE SubItemID = ?", {demo::FirstVariant}), demo::TrackedVariantItem);
    // The cap offers an option without values, which the option dialog skips.
    EXPECT_EQ(count(db, R"(SELECT count(*) FROM Attributes a WHERE ItemID = ? AND NOT EXISTS
                           (SELECT 1 FROM "Values" v WHERE v.AttributeID = a.AttributeID))", {demo::UntrackedVariantItem}), 1);
    EXPECT_GT(count(db, R"(SELECT count(*) FROM "Values" WHERE additionalcharge < 0)"), 0);
}

TEST_F(DemoStore, RefusesAStoreThatAlreadyHoldsData)
{    EXPECT_THROW(storegen::fillDemoStore(ts.db()), VantaError);
    EXPECT_THROW(storegen::fillLargeStore(ts.db(), 10, 5, 1), VantaError);
    EXPECT_EQ(count(ts.db(), "SELECT count(*) FROM Items"), 24);
    EXPECT_EQ(count(ts.db(), "SELECT count(*) FROM Company"), 1);
    EXPECT_FALSE(ts.db().connection().inTransaction());
}

TEST(LargeStore, HasExactlyTheRowsAskedForAndRepeatsForASeed)
{
    test::TempStore a, b, c;
    storegen::fillLargeStore(a.db(), 500, 100, 7);
    storegen::fillLargeStore(b.db(), 500, 100, 7);
    storegen::fillLargeStore(c.db(), 500, 100, 8);
    const db::Database &db = a.db();
    expectSoundStore(db);

    EXPECT_EQ(count(db, "SELECT count(*) FROM Items"), 500);
    EXPECT_EQ(count(db, R"(SELECT count(DISTINCT "Item Index") FROM Items)"), 500);
    EXPECT_EQ(count(db, R"(SELECT max("Item Index") FROM Items)"), 500);
    EXPECT_EQ(count(db, "SELECT count(*) FROM Customers"), 100);
    EXPECT_EQ(count(db, R"(SELECT max("Cust ID") FROM Customers)"), 100);
    EXPECT_EQ(count(db, R"(SELECT count(DISTINCT "Item Index") FROM BulkLevelPricing)"), 50);
    EXPECT_EQ(count(db, R"(SELECT count(*) FROM Items WHERE bulkdiscount <> 0 AND "Item Index" NOT IN
                           (SELECT "Item Index" FROM BulkLevelPricing))"), 5);
    EXPECT_EQ(count(db, "SELECT count(DISTINCT ItemID) FROM Subitems"), 25);
    EXPECT_EQ(count(db, "SELECT count(*) FROM Categories"), 520);
    EXPECT_EQ(count(db, "SELECT count(*) FROM Employees"), 4);

    EXPECT_EQ(digest(a.db()), digest(b.db()));
    EXPECT_NE(digest(a.db()), digest(c.db()));

    test::TempStore empty;
    EXPECT_THROW(storegen::fillLargeStore(empty.db(), 0, 10, 1), VantaError);
    EXPECT_THROW(storegen::fillLargeStore(empty.db(), 10, 0, 1), VantaError);
    EXPECT_EQ(count(empty.db(), "SELECT count(*) FROM Company"), 0);
}
