#include "db/PgSqlText.h"

#include <gtest/gtest.h>

using namespace vanta;

namespace {

db::NameCatalogue storeNames()
{
    db::NameCatalogue n;
    for (const char *c : {"Sales ID", "cust id", "total of sale", "date of sale"})
        n.addColumn("Sales", c);
    for (const char *c : {"Sold ID", "sales id", "Item Index", "line item"})
        n.addColumn("Sold Items", c);
    for (const char *c : {"Item Index", "Name", "qty"})
        n.addColumn("Items", c);
    for (const char *c : {"PaymentTerms"})
        n.addColumn("PaymentTerms", c);
    for (const char *c : {"Item index", "Picture"})
        n.addColumn("Pictures", c);
    return n;
}

QString server(const QString &sql) { return db::serverSql(sql, storeNames()); }

} // namespace

// SQL written for the file store matches names in any case; the server's
// text must carry each name as the table the statement uses spells it.
TEST(PgSqlText, NamesTakeTheSpellingOfTheirTable)
{
    EXPECT_EQ(server("INSERT INTO \"Sales\" (\"sales id\", \"CUST ID\") VALUES (?, ?)"),
              "INSERT INTO \"Sales\" (\"Sales ID\", \"cust id\") VALUES ($1, $2)");
    EXPECT_EQ(server("SELECT * FROM paymentTerms ORDER BY PaymentTerms COLLATE NOCASE"),
              "SELECT * FROM \"PaymentTerms\" ORDER BY \"PaymentTerms\" COLLATE NOCASE NULLS FIRST");
    EXPECT_EQ(server("SELECT \"Item index\" FROM pictures WHERE [item INDEX] = ?"),
              "SELECT \"Item index\" FROM \"Pictures\" WHERE \"Item index\" = $1");
    // Joined tables: a qualified name follows its alias's table.
    EXPECT_EQ(server("SELECT s.\"sales id\", l.\"SALES ID\" FROM Sales s JOIN \"Sold Items\" AS l "
                     "ON l.\"sales id\" = s.\"Sales ID\" ORDER BY s.rowid"),
              "SELECT s.\"Sales ID\", l.\"sales id\" FROM \"Sales\" s JOIN \"Sold Items\" AS l "
              "ON l.\"sales id\" = s.\"Sales ID\" ORDER BY s.rowid");
    // The name as written wins when one of the statement's tables has it.
    EXPECT_EQ(server("SELECT EXISTS(SELECT 1 FROM \"Sales\" WHERE \"Sales ID\" = ?) "
                     "OR EXISTS(SELECT 1 FROM \"Sold Items\" WHERE \"Sold ID\" = ?)"),
              "SELECT EXISTS(SELECT 1 FROM \"Sales\" WHERE \"Sales ID\" = $1) "
              "OR EXISTS(SELECT 1 FROM \"Sold Items\" WHERE \"Sold ID\" = $2)");
}

TEST(PgSqlText, LiteralsFunctionsAndKeywordsStay)
{
    int params = 0;
    EXPECT_EQ(db::serverSql("SELECT max(\"qty\"), 'it''s ? \"Name\"' FROM Items WHERE Name LIKE ? ESCAPE '\\'",
                            storeNames(), &params),
              "SELECT max(\"qty\"), 'it''s ? \"Name\"' FROM \"Items\" WHERE \"Name\" ILIKE $1 ESCAPE '\\'");
    EXPECT_EQ(params, 1);
    EXPECT_EQ(server("INSERT INTO Items DEFAULT VALUES"), "INSERT INTO \"Items\" DEFAULT VALUES");
    // Nulls sort first as on the file store, last when descending.
    EXPECT_EQ(server("SELECT (SELECT max(qty) FROM Items ORDER BY lower(Name) DESC) FROM Items "
                     "ORDER BY qty, Name DESC, rowid LIMIT 1"),
              "SELECT (SELECT max(\"qty\") FROM \"Items\" ORDER BY lower(\"Name\") DESC NULLS LAST) FROM \"Items\" "
              "ORDER BY \"qty\" NULLS FIRST, \"Name\" DESC NULLS LAST, rowid LIMIT 1");
    EXPECT_EQ(server("SELECT count(*) AS n FROM unknown_table WHERE x = ?"),
              "SELECT count(*) AS n FROM unknown_table WHERE x = $1");
    // Definitions keep what they create exactly as written.
    EXPECT_EQ(server("CREATE TABLE \"Sold Items\" (\"SALES ID\" integer)"),
              "CREATE TABLE \"Sold Items\" (\"SALES ID\" integer)");
}
