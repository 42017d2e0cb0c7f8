// Sale numbers set aside for selling while the server is away: from their
// own range, each held by one register, kept in hand across runs.
#include "db/UniqueId.h"
#include "offline/OfflineError.h"
#include "offline/OfflineFixture.h"
#include "support/Raised.h"

#include <QFile>
#include <QSet>
#include <gtest/gtest.h>
#include <limits>

using namespace vanta;
using offline::OfflineNumbers;

namespace {

constexpr qint32 kFrom = db::kOfflineSaleNumbersFrom;

class OfflineNumbersTest : public test::OfflineTest {
protected:
    qint64 heldBy(const QString &registerName)
    {
        return count("SELECT count(*) FROM \"Offline Sale Numbers\" WHERE \"Register\" = ?", {registerName});
    }
};

// Candidates given in turn.
std::function<qint32()> candidates(std::vector<qint32> numbers)
{
    auto next = std::make_shared<size_t>(0);
    return [numbers, next] { return numbers.at((*next)++); };
}

} // namespace

TEST(OfflineNumberRange, OtherDrawsStayBelowItAndOfflineOnesWithinIt)
{
    for (int i = 0; i < 20000; ++i) {
        const qint32 online = db::NewIdCandidate();
        const qint32 offline = db::NewOfflineSaleNumberCandidate();
        ASSERT_GE(online, 1);
        ASSERT_LT(online, kFrom);
        ASSERT_GE(offline, kFrom);
        ASSERT_LT(offline, std::numeric_limits<qint32>::max());
    }
}

TEST_F(OfflineNumbersTest, NumbersAreSetAsideOnTheServerAndTakenOnceAcrossRuns)
{
    {
        OfflineNumbers numbers(numbersFile);
        EXPECT_EQ(numbers.count(), 0);
        EXPECT_EQ(numbers.take(), std::nullopt);
        numbers.topUp(store(), "Front", 3, candidates({kFrom, kFrom + 1, kFrom + 2}));
        EXPECT_EQ(numbers.count(), 3);
        EXPECT_EQ(heldBy("Front"), 3);
        EXPECT_EQ(numbers.take(), kFrom);
    }
    // The next run has the two not taken, and takes each once.
    OfflineNumbers again(numbersFile);
    EXPECT_TRUE(again.problem().isEmpty());
    EXPECT_EQ(again.count(), 2);
    // As many in hand as wanted: nothing more is set aside; one short: one.
    again.topUp(store(), "Front", 2, candidates({}));
    EXPECT_EQ(heldBy("Front"), 3);
    again.topUp(store(), "Front", 3, candidates({kFrom + 3}));
    EXPECT_EQ(heldBy("Front"), 4);
    EXPECT_EQ(again.take(), kFrom + 1);
    EXPECT_EQ(again.take(), kFrom + 2);
    EXPECT_EQ(again.take(), kFrom + 3);
    EXPECT_EQ(again.take(), std::nullopt);
    EXPECT_EQ(OfflineNumbers(numbersFile).count(), 0);
}

TEST_F(OfflineNumbersTest, ANumberHeldByAnotherRegisterOrUsedInTheStoreIsSkipped)
{
    OfflineNumbers front(numbersFile);
    front.topUp(store(), "Front", 2, candidates({kFrom + 10, kFrom + 11}));
    db().execute("INSERT INTO Sales (\"Sales ID\") VALUES (?)", {kFrom + 12});
    OfflineNumbers back(registerFolder.path() + "/back-numbers");
    back.topUp(store(), "Back", 2, candidates({kFrom + 11, kFrom + 12, kFrom + 10, kFrom + 13, kFrom + 14}));
    EXPECT_EQ(back.take(), kFrom + 13);
    EXPECT_EQ(back.take(), kFrom + 14);
    EXPECT_EQ(count("SELECT count(DISTINCT \"sales id\") FROM \"Offline Sale Numbers\""), 4);

    // Every draw held already: said, and nothing set aside.
    OfflineNumbers side(registerFolder.path() + "/side-numbers");
    const test::Raised r = test::raised([&] { side.topUp(store(), "Side", 1, [] { return kFrom + 10; }); });
    EXPECT_EQ(r.number, offline::OfflineError::Number);
    EXPECT_EQ(heldBy("Side"), 0);
    EXPECT_EQ(side.count(), 0);
}

TEST_F(OfflineNumbersTest, ADamagedFileIsSetAsideAndTheRegisterStartsWithNone)
{
    {
        OfflineNumbers numbers(numbersFile);
        numbers.topUp(store(), "Front", 2, candidates({kFrom, kFrom + 1}));
    }
    QFile file(numbersFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("not a list of numbers at all, just some text");
    file.close();
    OfflineNumbers numbers(numbersFile);
    EXPECT_FALSE(numbers.problem().isEmpty());
    EXPECT_EQ(numbers.count(), 0);
    EXPECT_TRUE(QFile::exists(numbersFile + ".damaged"));
    numbers.topUp(store(), "Front", 1, candidates({kFrom + 5}));
    EXPECT_EQ(numbers.take(), kFrom + 5);
}
