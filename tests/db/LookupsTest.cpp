#include "db/Lookups.h"

#include "db/DbError.h"
#include "platform/ProfileFile.h"
#include "support/Files.h"
#include "support/ScriptedPrompt.h"
#include "support/TempStore.h"

#include <gtest/gtest.h>

using namespace vanta;
using namespace vanta::db;

namespace {

void addCustomer(const test::TempStore &ts, int id, const QString &name)
{
    ts.db().execute("INSERT INTO \"Customers\" (\"Cust ID\", \"Name\") VALUES (?, ?)", {id, name});
}

} // namespace

TEST(Lookups, NameInUseMatchesLiterally)
{
    test::TempStore ts;
    int id = 0;
    for (const char *name : {"O'Brien", "100%", "a_b", "[x]"})
        addCustomer(ts, ++id, name);

    EXPECT_TRUE(NameInUse(*ts.store, "customers", "name", "o'brien")); // any case, as before
    for (const char *used : {"O'Brien", "100%", "a_b", "[x]"})
        EXPECT_TRUE(NameInUse(*ts.store, "Customers", "Name", used)) << used;
    for (const char *unused : {"100", "1000", "axb", "x", "' OR '1'='1", ""})
        EXPECT_FALSE(NameInUse(*ts.store, "Customers", "Name", unused)) << unused;

    EXPECT_THROW(NameInUse(*ts.store, "Owners", "Name", "x"), DbError);
    EXPECT_THROW(NameInUse(*ts.store, "Customers", "Nickname", "x"), DbError);
    EXPECT_THROW(NameInUse(*ts.store, "Customers\" WHERE 1=1 --", "Name", "x"), DbError);
    EXPECT_EQ(ts.db().scalar("SELECT COUNT(*) FROM \"Customers\"").toInt(), 4);
}

TEST(Lookups, GetNewNameAsksAgainWhileTaken)
{
    test::TempStore ts;
    addCustomer(ts, 1, "Smith");
    test::ScriptedPrompt prompt;
    prompt.answerInput("SMITH").answerInput("Jones");
    EXPECT_EQ(GetNewName(*ts.store, prompt, "Customers", "Name"), "Jones");
    ASSERT_EQ(prompt.count(), 2);
    EXPECT_EQ(prompt.requests()[0].text, "Enter a name for this Customer");
    EXPECT_EQ(prompt.requests()[0].title, "Customer");
    EXPECT_EQ(prompt.requests()[1].text,
              "That name is already in use.  Please enter a new name.\n\nEnter a name for this Customer");
    EXPECT_EQ(prompt.requests()[1].title, "Customer");

    // Cancelling while re-asked gives the empty name.
    prompt.clearRecord();
    prompt.answerInput("Smith").cancelInput();
    EXPECT_EQ(GetNewName(*ts.store, prompt, "Customers", "Name"), "");
    EXPECT_EQ(prompt.count(), 2);

    // Owners ask for a vendor; cancelling returns the empty text.
    prompt.clearRecord();
    prompt.cancelInput();
    EXPECT_EQ(GetNewName(*ts.store, prompt, "Owners", "Name"), "");
    EXPECT_EQ(prompt.last().text, "Enter a name for this Vendor");
    EXPECT_EQ(prompt.last().title, "Vendor");
}

TEST(Lookups, RecordLookups)
{
    test::TempStore ts;
    ts.db().execute("INSERT INTO \"Subitems\" (\"SubItemID\", \"ItemID\") VALUES (40, 4)");
    ts.db().execute("INSERT INTO \"Values\" (\"ValueID\", \"AttributeID\") VALUES (9, 3)");
    for (const char *s : {"texas", "Alabama", "Ohio"})
        ts.db().execute("INSERT INTO \"States\" (\"state\") VALUES (?)", {QString(s)});

    EXPECT_EQ(GetRootItemID(*ts.store, 40), 4);
    EXPECT_EQ(GetRootItemID(*ts.store, 41), -1);
    EXPECT_TRUE(AttributeHasValues(*ts.store, 3));
    EXPECT_FALSE(AttributeHasValues(*ts.store, 9));
    EXPECT_EQ(GetStates(*ts.store), QStringList({"Alabama", "Ohio", "texas"}));

    test::writeFile(ts.dir.filePath("Users.ini"), "[Ann]\nReport Display=27\n");
    const platform::ProfileFile ini(ts.dir.filePath("Users.ini"));
    EXPECT_EQ(GetIniSetting(ini, "ANN", "report display", "0", 2), "2");
    EXPECT_EQ(GetIniSetting(ini, "None", "Report Display", "0", 2), "0");
}

TEST(Lookups, KeysAndJurisdictionColumns)
{
    const std::pair<const char *, qint32> ids[] = {{"CAT12", 12}, {"CAT-1", -1}, {"key 3 4", 34}, {"KEY7abc", 7},
                                                   {"CAT", 0},    {"CATx1", 0},  {"KEY2.5", 2},  {"KEY3.5", 4}};
    for (const auto &[key, id] : ids)
        EXPECT_EQ(GetID(key), id) << key;
    EXPECT_THROW(GetID("CAT99999999999"), VantaError);

    const qint16 expected[] = {6, 2, 5, 3, 15, 4, 16};
    for (qint16 t = 0; t < 7; ++t)
        EXPECT_EQ(GetCustFieldIndex(t), expected[t]) << t;
    EXPECT_EQ(GetCustFieldIndex(7), 0);
    EXPECT_EQ(GetCustFieldIndex(-1), 0);
}
