#include "platform/Utility.h"

#include "diagnostics/VantaError.h"
#include "platform/ScriptedPrompt.h"
#include "support/TempStore.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace vanta;

TEST(Utility, NewUniqueIDSkipsIdsInUse)
{
    test::TempStore ts;
    ts.db().execute("INSERT INTO \"Sales\" (\"Sales ID\") VALUES (?)", {5});
    ts.db().execute("INSERT INTO \"Sold Items\" (\"Sold ID\") VALUES (?)", {6});
    ts.db().execute("INSERT INTO \"Customers\" (\"Cust ID\") VALUES (?)", {7});

    QList<qint32> candidates{-3, 0, 5, 6, 7, 8};
    int draws = 0;
    auto draw = [&] { return candidates[draws++]; };
    EXPECT_EQ(platform::NewUniqueID(*ts.store, draw), 8);
    EXPECT_EQ(draws, 6);

    // A source that only ever offers a used id ends with an error, not a hang.
    EXPECT_THROW(platform::NewUniqueID(*ts.store, [] { return 5; }), VantaError);

    const qint32 id = platform::NewUniqueID(*ts.store);
    EXPECT_GT(id, 0);
}

TEST(Utility, FileExistsAndAbout)
{
    test::TempStore ts;
    const QString file = ts.dir.filePath("a.txt");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_TRUE(platform::FileExists(file));
    EXPECT_FALSE(platform::FileExists(ts.path()));
    EXPECT_FALSE(platform::FileExists(ts.dir.filePath("b.txt")));
    EXPECT_FALSE(platform::FileExists(""));

    platform::ScriptedPrompt prompt;
    platform::ShowAbout(prompt);
    ASSERT_EQ(prompt.count(), 1);
    EXPECT_TRUE(prompt.last().text.startsWith("Vanta! POS"));
    EXPECT_TRUE(prompt.last().text.contains(VANTA_VERSION));
}
