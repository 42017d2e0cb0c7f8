#include "db/DbError.h"
#include "db/Schema.h"
#include "support/Files.h"
#include "support/Raised.h"
#include "support/TempStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vanta;
using db::DbError;

namespace {

void addItem(const db::Database &db, int index, const QString &name, QVariant price = QVariant())
{
    auto rs = db.openTable("Items");
    rs.addNew();
    rs.setField("Item Index", index);
    rs.setField("Name", name);
    rs.setField("LIST PRICE", price);
    rs.update();
}

using test::errorNumber;
using test::writeFile;

} // namespace

TEST(Store, OpensOnlyWithTheKeyAndIsEncryptedOnDisk)
{
    test::TempStore ts;
    addItem(ts.db(), 1, "Secret widget");
    ts.store.reset();

    QFile f(db::Store::databaseFile(ts.path()));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray raw = f.readAll();
    EXPECT_FALSE(raw.startsWith("SQLite format 3"));
    EXPECT_FALSE(raw.contains("Secret widget"));
    f.close();

    EXPECT_EQ(errorNumber([&] { db::Store s(ts.path(), "wrong"); }), db::ErrNotStoreDatabase);
    EXPECT_EQ(errorNumber([&] { db::Store s(ts.path() + "/nowhere"); }), db::ErrFileNotFound);

    QDir().mkpath(ts.path() + "/junk");
    writeFile(ts.path() + "/junk/vanta.mdb", QByteArray(8192, 'x'));
    EXPECT_EQ(errorNumber([&] { db::Store s(ts.path() + "/junk"); }), db::ErrNotStoreDatabase);

    db::Store reopened(ts.path());
    auto rs = reopened.database().openQuery("SELECT Name FROM Items");
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs.text("name"), "Secret widget");
}

// Files that cannot be a store are refused in plain words and left exactly
// as they were: nothing is created beside them or written into them.
TEST(Store, BadFilesAreRefusedAndNeverWritten)
{
    QTemporaryDir tmp;
    const auto storeIn = [&](const QString &name, const QByteArray &bytes) {
        const QString folder = tmp.filePath(name);
        QDir().mkpath(folder);
        writeFile(folder + "/vanta.mdb", bytes);
        return folder;
    };
    const auto refusal = [](const QString &folder) { return test::raised([&] { db::Store s(folder); }); };
    const auto untouched = [](const QString &folder, const QByteArray &bytes) {
        EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"vanta.mdb"});
        EXPECT_EQ(test::readFile(folder + "/vanta.mdb"), bytes);
    };

    const QString empty = storeIn("empty", {});
    test::Raised r = refusal(empty);
    EXPECT_EQ(r.number, db::ErrNotStoreDatabase);
    EXPECT_TRUE(r.text.endsWith("is empty: it is not a Vanta! store database.")) << r.text.toStdString();
    untouched(empty, {});

    // A store cut short is damaged, not a question of the password.
    test::TempStore whole;
    addItem(whole.db(), 1, "Widget");
    whole.store.reset();
    QFile original(db::Store::databaseFile(whole.path()));
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QByteArray cut = original.read(original.size() / 2 + 100);
    const QString truncated = storeIn("cut", cut);
    r = refusal(truncated);
    EXPECT_EQ(r.number, db::ErrNotStoreDatabase);
    EXPECT_TRUE(r.text.contains("is damaged: the file is cut short")) << r.text.toStdString();
    untouched(truncated, cut);

    // A store without tables the register needs names them.
    test::TempStore partial;
    partial.db().execute("DROP TABLE \"Sales\"");
    partial.db().execute("DROP TABLE \"Sold Items\"");
    partial.store.reset();
    r = refusal(partial.path());
    EXPECT_EQ(r.number, db::ErrMissingTables);
    EXPECT_TRUE(r.text.endsWith("lacks tables the register needs: Sales, Sold Items.")) << r.text.toStdString();
}

TEST(Store, FindsTheFileNameInAnyCase)
{
    QTemporaryDir dir;
    db::Store::create(dir.path());
    ASSERT_TRUE(QFile::rename(dir.path() + "/vanta.mdb", dir.path() + "/VANTA.MDB"));
    EXPECT_TRUE(db::Store::exists(dir.path()));
    db::Store s(dir.path());
    EXPECT_TRUE(s.filePath().endsWith("VANTA.MDB"));
}

TEST(Schema, ColumnOrderReadByPosition)
{
    test::TempStore ts;
    auto &conn = ts.db().connection();
    const QStringList sub = conn.tableColumns("subitems").mid(0, 5);
    EXPECT_EQ(sub, (QStringList{"SubItemID", "ItemID", "valueid1", "valueid2", "valueid3"}));
    const QStringList cust = conn.tableColumns("Customers").mid(0, 17);
    EXPECT_EQ(cust, (QStringList{"Cust ID", "Name", "City", "County", "Zip", "Country", "state", "Address",
                                 "Company Name", "Salutation", "Alt Contact", "Phone", "Alt Phone", "Fax",
                                 "Email", "FIPS Code", "Used Defined Code"}));
    for (const db::TableDef &t : db::storeTables())
        EXPECT_EQ(conn.tableColumns(t.name).size(), t.createdByRegister ? 0 : t.columns.size())
            << t.name.toStdString();
}

TEST(Recordset, SeekFieldsAndNulls)
{
    test::TempStore ts;
    addItem(ts.db(), 12, "Widget", 2.5);
    addItem(ts.db(), 7, "Gadget");

    auto rs = ts.db().openTable("items");
    rs.setIndex("item index");
    EXPECT_TRUE(rs.seek(12));
    EXPECT_FALSE(rs.noMatch());
    EXPECT_EQ(rs.text("NAME"), "Widget");
    EXPECT_FLOAT_EQ(db::asSingle(rs.field("list price")), 2.5f);
    EXPECT_EQ(rs.field(1).toString(), "Widget"); // by position
    EXPECT_TRUE(rs.field("desc short").isNull());
    EXPECT_EQ(rs.text("desc short"), QString());
    EXPECT_EQ(rs.recordCount(), 1);

    EXPECT_FALSE(rs.seek(99));
    EXPECT_TRUE(rs.noMatch());
    EXPECT_TRUE(rs.eof());
    EXPECT_EQ(rs.recordCount(), 0);
    EXPECT_EQ(errorNumber([&] { rs.field("Name"); }), db::ErrNoCurrentRecord);
    EXPECT_EQ(errorNumber([&] { rs.field("No Such Column"); }), db::ErrItemNotFound);
    EXPECT_EQ(errorNumber([&] { rs.setIndex("No Such Index"); }), db::ErrItemNotFound);

    EXPECT_TRUE(rs.findFirst("Name", "Gadget"));
    EXPECT_EQ(db::asLong(rs.field("Item Index")), 7);
}

TEST(Recordset, TableOrderQueriesAndCounts)
{
    test::TempStore ts;
    for (int i : {5, 3, 9})
        addItem(ts.db(), i, QString("Item %1").arg(i));

    // The item numbers met walking the table, in stored or index order.
    const auto walk = [&](const QString &index) {
        auto rs = ts.db().openTable("Items");
        if (!index.isEmpty())
            rs.setIndex(index);
        QList<int> out;
        for (; !rs.eof(); rs.moveNext())
            out << db::asLong(rs.field("Item Index"));
        return out;
    };
    EXPECT_EQ(ts.db().openTable("Items").recordCount(), 3);
    EXPECT_EQ(walk({}), (QList<int>{5, 3, 9}));
    EXPECT_EQ(walk("Item Index"), (QList<int>{3, 5, 9}));

    auto q = ts.db().openQuery("SELECT [Item Index] FROM Items WHERE [Item Index] > ? ORDER BY 1", {4});
    EXPECT_GT(q.recordCount(), 0);
    EXPECT_EQ(db::asLong(q.field(0)), 5);
    q.moveNext();
    EXPECT_EQ(db::asLong(q.field("item index")), 9);
    q.moveNext();
    EXPECT_TRUE(q.eof());
    q.moveFirst();
    EXPECT_EQ(db::asLong(q.field(0)), 5);

    auto none = ts.db().openQuery("SELECT * FROM Items WHERE Name = ?", {"nothing"});
    EXPECT_TRUE(none.eof());
    EXPECT_EQ(none.recordCount(), 0);
    EXPECT_EQ(errorNumber([&] { none.edit(); }), db::ErrNotUpdatable);
}

TEST(Recordset, EditConvertDeleteAndCompositeSeek)
{
    test::TempStore ts;
    addItem(ts.db(), 1, "Widget", 1.0);
    auto rs = ts.db().openTable("Items");
    rs.setIndex("Item Index");
    ASSERT_TRUE(rs.seek(1));
    rs.edit();
    rs.setField("qty", "4.5");        // text converted to the column's number
    rs.setField("Hidden", true);      // booleans stored as 0/1
    rs.setField("category", 2.6);     // whole-number column rounds
    rs.setField("LIST PRICE", 0.1);   // single precision column
    rs.update();
    EXPECT_DOUBLE_EQ(db::asDouble(rs.field("qty")), 4.5);

    auto check = ts.db().openQuery("SELECT qty, Hidden, category, [LIST PRICE] FROM Items");
    EXPECT_DOUBLE_EQ(check.field(0).toDouble(), 4.5);
    EXPECT_EQ(check.field(1).toLongLong(), 1);
    EXPECT_EQ(check.field(2).toLongLong(), 3);
    EXPECT_EQ(check.field(3).toDouble(), double(0.1f));
    check.close();

    rs.edit();
    EXPECT_EQ(errorNumber([&] { rs.setField("category", "not a number"); }), db::EngineBase + 20);
    rs.cancelUpdate();
    EXPECT_EQ(errorNumber([&] { rs.update(); }), db::ErrUpdateWithoutEdit);

    rs.remove();
    EXPECT_EQ(ts.db().scalar("SELECT count(*) FROM Items").toInt(), 0);

    auto th = ts.db().openTable("Tax Holder");
    for (auto [sale, agency, total] : {std::tuple{1, "State", 1.5}, {1, "County", 0.5}, {2, "State", 9.0}}) {
        th.addNew();
        th.setField("Sale ID", sale);
        th.setField("Tax agency", agency);
        th.setField("total", total);
        th.update();
    }
    th.setIndex("SaleAgency");
    ASSERT_TRUE(th.seek(QVariantList{1, "County"}));
    EXPECT_DOUBLE_EQ(db::asDouble(th.field("total")), 0.5);
    EXPECT_FALSE(th.seek(QVariantList{2, "County"}));
}

TEST(Recordset, ValuesWithQuotesAndWildcardsAreLiteral)
{
    test::TempStore ts;
    const QString tricky = "O'Brien's 100% [best]_\"; DROP TABLE Items; --";
    addItem(ts.db(), 1, tricky);
    auto rs = ts.db().openTable("Items");
    EXPECT_TRUE(rs.findFirst("Name", tricky));
    EXPECT_FALSE(rs.findFirst("Name", "O'Brien%"));
    EXPECT_EQ(ts.db().scalar("SELECT count(*) FROM Items").toInt(), 1);
}

TEST(Transaction, RollbackUnlessCommittedAndInvisibleElsewhere)
{
    test::TempStore ts;
    db::Workspace ws(*ts.store);
    {
        db::Transaction tx(ws.database().connection());
        addItem(ws.database(), 1, "Pending");
        // A connection of its own, taken while the workspace writes, does
        // not see uncommitted rows.
        EXPECT_EQ(ts.store->ownConnection().scalar("SELECT count(*) FROM Items").toInt(), 0);
        EXPECT_EQ(ts.store->separateConnection().scalar("SELECT count(*) FROM Items").toInt(), 0);
    }
    EXPECT_EQ(ts.db().scalar("SELECT count(*) FROM Items").toInt(), 0);

    ws.beginTrans();
    addItem(ws.database(), 2, "Kept");
    ws.commitTrans();
    EXPECT_EQ(ts.db().scalar("SELECT count(*) FROM Items").toInt(), 1);
    EXPECT_EQ(ts.store->separateConnection().scalar("SELECT count(*) FROM Items").toInt(), 1);
}

// The connection's log of its own row writes is what lets data kept in
// memory be refreshed row by row; a write it missed would leave stale data.
TEST(Store, ConnectionLogsTheRowsItWrites)
{
    test::TempStore ts;
    db::Connection &conn = ts.db().connection();
    addItem(ts.db(), 1, "One");
    addItem(ts.db(), 2, "Two");
    const qint64 mark = conn.writeMark();
    ts.db().execute("UPDATE Items SET qty = 3 WHERE \"Item Index\" = 1");
    ts.db().execute("DELETE FROM Items WHERE \"Item Index\" = 2");
    {
        db::Database other = ts.store->separateConnection(); // another connection's write is not logged here
        other.execute("INSERT INTO UOM (UOMID, UOM) VALUES (1, 'box')");
    }
    const auto writes = conn.writesSince(mark);
    ASSERT_TRUE(writes);
    ASSERT_EQ(writes->size(), 2u);
    EXPECT_EQ((*writes)[0].table, "Items");
    EXPECT_TRUE((*writes)[0].update);
    EXPECT_FALSE((*writes)[1].update) << "a delete";
    EXPECT_NE((*writes)[0].row, (*writes)[1].row);
    EXPECT_EQ(conn.writesSince(conn.writeMark())->size(), 0u);
    EXPECT_FALSE(conn.writesSince(-1)) << "a mark from before the log is not answered";
}

TEST(Transaction, LockedStoreFailsCleanlyAsBusy)
{
    test::TempStore ts;
    db::Workspace other(*ts.store);
    other.beginTrans();
    addItem(other.database(), 1, "Back office");

    db::Workspace ws(*ts.store);
    ws.database().connection().setBusyTimeout(50);
    EXPECT_EQ(errorNumber([&] { ws.beginTrans(); }), db::ErrBusy);
    EXPECT_FALSE(ws.database().connection().inTransaction());
    other.commitTrans();
    ws.beginTrans();
    ws.rollback();
}

TEST(Database, CreateTableTextAndLong)
{
    test::TempStore ts;
    ts.db().createTable("Extra", {{db::FieldSpec::Kind::Text50, "Host", true},
                                  {db::FieldSpec::Kind::Text50, "Must", false},
                                  {db::FieldSpec::Kind::Long, "Port", true}});
    ASSERT_TRUE(ts.db().tableExists("extra"));
    auto rs = ts.db().openTable("Extra");
    rs.addNew();
    rs.setField("Host", "");
    rs.setField("Must", "x");
    rs.setField("Port", "110");
    rs.update();
    EXPECT_EQ(ts.db().scalar("SELECT typeof(Port) FROM Extra").toString(), "integer");
    rs.addNew();
    rs.setField("Must", "");
    EXPECT_THROW(rs.update(), DbError);
    rs.addNew();
    rs.setField("Must", QString(51, 'x'));
    EXPECT_THROW(rs.update(), DbError);
}
