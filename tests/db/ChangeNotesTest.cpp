// The notes of changes a server store sends: what each change names, the
// keys of the rows whose stock or balance alone changed, and a connection
// lost and opened again.
#include "db/ChangeNotes.h"
#include "db/KeptData.h"
#include "db/Schema.h"
#include "support/TempPgStore.h"

#include <gtest/gtest.h>

using namespace vanta;

namespace {

std::vector<qint64> sorted(std::optional<std::vector<qint64>> keys)
{
    EXPECT_TRUE(keys.has_value());
    std::vector<qint64> out = keys.value_or(std::vector<qint64>());
    std::sort(out.begin(), out.end());
    return out;
}

} // namespace

TEST(ChangeNotes, TablesAndPartsAreCountedApartWithThePartsKeys)
{
    db::ChangeNotes notes;
    notes.hear(QStringLiteral("Items"));
    notes.hear(QStringLiteral("Items stock\t42"));
    notes.hear(QStringLiteral("Items stock\t-7"));
    notes.hear(QStringLiteral("Customers balance\t3"));
    notes.hear(QStringLiteral("Tax Rule Definitions"));
    EXPECT_EQ(notes.count({QStringLiteral("items")}), 1) << "a part's notes are not the table's";
    EXPECT_EQ(notes.count({QStringLiteral("ITEMS STOCK")}), 2);
    EXPECT_EQ(notes.count({QStringLiteral("Items"), QStringLiteral("Tax Rule Definitions")}), 2);
    EXPECT_EQ(notes.count({QStringLiteral("Sales")}), 0);
    EXPECT_EQ(notes.keys(QStringLiteral("Items stock"), 0, 2), (std::vector<qint64>{42, -7}));
    EXPECT_EQ(notes.keys(QStringLiteral("Items stock"), 1, 2), (std::vector<qint64>{-7}));
    EXPECT_EQ(notes.keys(QStringLiteral("Items stock"), 2, 2), std::vector<qint64>());
    EXPECT_FALSE(notes.keys(QStringLiteral("Items stock"), 1, 3)) << "a note not heard yet";
    EXPECT_FALSE(notes.keys(QStringLiteral("Items stock"), 2, 1));
    EXPECT_EQ(notes.keys(QStringLiteral("customers balance"), 0, 1), (std::vector<qint64>{3}));
    EXPECT_FALSE(notes.keys(QStringLiteral("Items"), 0, 1)) << "a whole table's note has no key";

    // A part's note whose key is not a whole number still counts, but the
    // keys before it no longer tell every row.
    notes.hear(QStringLiteral("Items stock\t4.5"));
    EXPECT_EQ(notes.count({QStringLiteral("Items stock")}), 3);
    EXPECT_FALSE(notes.keys(QStringLiteral("Items stock"), 0, 3));
    notes.hear(QStringLiteral("Items stock\t8"));
    EXPECT_EQ(notes.keys(QStringLiteral("Items stock"), 3, 4), (std::vector<qint64>{8}));
    EXPECT_FALSE(notes.keys(QStringLiteral("Items stock"), 2, 4));
}

TEST(ChangeNotes, OnlyTheLatestKeysAreKept)
{
    db::ChangeNotes notes;
    const qint64 most = qint64(db::ChangeNotes::kMostKeys);
    for (qint64 i = 0; i < most; ++i)
        notes.hear(QStringLiteral("Items stock\t%1").arg(i));
    EXPECT_EQ(notes.keys(QStringLiteral("Items stock"), 0, 1), (std::vector<qint64>{0})) << "all still kept";
    notes.hear(QStringLiteral("Items stock\t%1").arg(most));
    EXPECT_FALSE(notes.keys(QStringLiteral("Items stock"), 0, 1)) << "the oldest forgotten";
    EXPECT_EQ(notes.keys(QStringLiteral("Items stock"), 1, 2), (std::vector<qint64>{1}));
    EXPECT_EQ(notes.keys(QStringLiteral("Items stock"), most, most + 1), (std::vector<qint64>{most}));
    EXPECT_EQ(notes.count({QStringLiteral("Items stock")}), most + 1);
}

namespace {

// A store on the test server as one register has it open, and another
// register's connection to the same store.
class ServerNotes : public test::PgStoreTest {
protected:
    void SetUp() override
    {
        test::PgStoreTest::SetUp();
        if (IsSkipped())
            return;
        other = std::make_unique<db::Store>(pg->address);
        other->database().execute("INSERT INTO Items (\"Item Index\", \"Name\", qty) VALUES (1, 'Hammer', 5), "
                                  "(2, 'Screws', 100)");
        other->database().execute("INSERT INTO Customers (\"Cust ID\", balance) VALUES (7, 0)");
    }

    db::Connection &mine() { return pg->store->database().connection(); }
    // The stamp with the notes of every commit made so far.
    QPair<qint64, qint64> stamp(const QStringList &tables)
    {
        mine().awaitNotes();
        const auto s = mine().tablesStamp(tables);
        EXPECT_TRUE(s.has_value());
        return s.value_or(QPair<qint64, qint64>());
    }

    void otherChanges(const QString &sql) { other->database().execute(sql); }

    std::unique_ptr<db::Store> other;
};

} // namespace

TEST_F(ServerNotes, EachChangeNamesItsTableOrTheRowsWhosePartAloneChanged)
{
    const QStringList rules{QStringLiteral("Tax Rule Definitions"), QStringLiteral("Tax Types")};
    const QStringList items{QStringLiteral("Items")};
    const QStringList stock{QStringLiteral("Items stock")};
    const auto rulesBefore = stamp(rules), itemsBefore = stamp(items), stockBefore = stamp(stock);

    otherChanges("INSERT INTO Sales (\"Sales ID\") VALUES (1)");
    EXPECT_EQ(stamp(rules), rulesBefore) << "a sale changes no tax table";
    EXPECT_EQ(stamp(items), itemsBefore);
    EXPECT_EQ(stamp(stock), stockBefore);

    otherChanges("UPDATE Items SET qty = qty - 1, \"total qty sold\" = 1 WHERE \"Item Index\" = 2");
    EXPECT_EQ(stamp(items), itemsBefore) << "only the stock changed";
    const auto afterOne = stamp(stock);
    EXPECT_EQ(afterOne.first, stockBefore.first + 1);
    EXPECT_EQ(sorted(mine().changedKeys(stock[0], stockBefore.first, afterOne.first)), (std::vector<qint64>{2}));

    otherChanges("UPDATE Items SET qty = qty - 1");
    const auto afterAll = stamp(stock);
    EXPECT_EQ(sorted(mine().changedKeys(stock[0], afterOne.first, afterAll.first)), (std::vector<qint64>{1, 2}));
    EXPECT_EQ(stamp(items), itemsBefore);

    otherChanges("UPDATE Items SET qty = 9, \"Name\" = 'Claw hammer' WHERE \"Item Index\" = 1");
    EXPECT_NE(stamp(items), itemsBefore) << "more than the stock changed";
    EXPECT_EQ(stamp(stock), afterAll);

    otherChanges("UPDATE Customers SET balance = 12.5 WHERE \"Cust ID\" = 7");
    EXPECT_EQ(stamp(rules), rulesBefore);
    const QString balance = QStringLiteral("Customers balance");
    EXPECT_EQ(stamp({QStringLiteral("Customers")}).first, 1) << "only the row added in the set-up";
    EXPECT_EQ(sorted(mine().changedKeys(balance, 0, stamp({balance}).first)), (std::vector<qint64>{7}));

    otherChanges("INSERT INTO \"Tax Types\" (id) VALUES (1)");
    EXPECT_NE(stamp(rules), rulesBefore);

    // The register's own writes are heard as soon as they are committed.
    const auto itemsNow = stamp(items);
    pg->db().execute("UPDATE Items SET \"Name\" = 'Hammer' WHERE \"Item Index\" = 1");
    EXPECT_NE(stamp(items), itemsNow);
    db::Transaction tx(mine());
    EXPECT_FALSE(mine().tablesStamp(items)) << "notes wait while a transaction is open";
}

TEST_F(ServerNotes, DataKeptFromTablesIsMadeAgainWhenTheyOrTheConnectionChange)
{
    int made = 0;
    const auto kept = [&] {
        return *db::keptData<int>(*pg->store, QStringLiteral("test"), {QStringLiteral("Tax Types")},
                                  [&] { return std::make_shared<int>(++made); });
    };
    EXPECT_EQ(kept(), 1);
    otherChanges("INSERT INTO Sales (\"Sales ID\") VALUES (1)");
    EXPECT_EQ(kept(), 1) << "another table changed";
    otherChanges("INSERT INTO \"Tax Types\" (id) VALUES (1)");
    EXPECT_EQ(kept(), 2);

    // Notes sent while the connection was lost are missed: a new connection
    // makes everything again.
    other->database().execute("SELECT pg_terminate_backend(pid) FROM pg_stat_activity "
                              "WHERE datname = current_database() AND pid <> pg_backend_pid()");
    EXPECT_EQ(kept(), 3);
    EXPECT_EQ(kept(), 3);
    otherChanges("INSERT INTO \"Tax Types\" (id) VALUES (2)");
    EXPECT_EQ(kept(), 4) << "listening again on the new connection";
}

TEST_F(ServerNotes, AStoreMadeBeforeTheNotesGetsThemWithTheAddedTables)
{
    pg->db().execute("DROP FUNCTION vanta_note_part() CASCADE");
    pg->db().execute("DROP FUNCTION vanta_note_change() CASCADE");
    db::Store older(pg->address);
    EXPECT_EQ(db::missingAddedTables(older.database().connection()), QStringList{QStringLiteral("notes of changes")});
    EXPECT_FALSE(older.database().connection().tablesStamp({QStringLiteral("Items")})) << "not listening";
    db::createAddedTables(older.database().connection());
    EXPECT_TRUE(db::missingAddedTables(older.database().connection()).isEmpty());
    EXPECT_TRUE(older.database().connection().tablesStamp({QStringLiteral("Items")}));
    otherChanges("UPDATE Items SET qty = 1 WHERE \"Item Index\" = 1");
    EXPECT_EQ(sorted(mine().changedKeys(QStringLiteral("Items stock"), 0, stamp({QStringLiteral("Items stock")}).first)),
              (std::vector<qint64>{1}));
}
