#include "db/Store.h"
#include "posting/KillTestSale.h"
#include "storegen/DemoStore.h"
#include "support/TempStore.h"

#include <QElapsedTimer>
#include <QProcess>
#include <gtest/gtest.h>
#include <map>
#include <random>

using namespace vanta;
using test::killtest::killLines;

namespace {

// Stock of every row the kill test's sale lowers, keyed by the line's good.
std::map<qint32, double> stock(const db::Database &db)
{
    std::map<qint32, double> out;
    for (const auto &k : killLines())
        out[k.index] = test::killtest::stockOf(db, k);
    return out;
}

int count(const db::Database &db, const char *sql) { return db.scalar(QString::fromUtf8(sql)).toInt(); }

// The store as a new program finds it after the kill: every committed sale
// whole, nothing of the interrupted one, the file sound.
void checkStore(const QString &folder, const std::map<qint32, double> &initial, const QList<qint32> &reported)
{
    db::Store store(folder);
    const db::Database &db = store.database();
    ASSERT_EQ(db.scalar("PRAGMA integrity_check").toString(), "ok");
    const int sales = count(db, "SELECT count(*) FROM Sales");
    EXPECT_EQ(count(db, test::killtest::kIncompleteSales), 0) << "a sale without all of its lines";
    EXPECT_EQ(count(db, "SELECT count(*) FROM \"Sold Items\" i WHERE NOT EXISTS"
                        " (SELECT 1 FROM Sales s WHERE s.\"Sales ID\" = i.\"sales id\")"),
              0)
        << "orphan sold lines";
    EXPECT_EQ(count(db, "SELECT count(*) FROM Sales s WHERE NOT EXISTS"
                        " (SELECT 1 FROM \"Tax Holder\" h WHERE h.\"Sale ID\" = s.\"Sales ID\")"),
              0)
        << "a sale without its tax";
    EXPECT_EQ(count(db, "SELECT count(*) FROM \"Tax Holder\" h WHERE NOT EXISTS"
                        " (SELECT 1 FROM Sales s WHERE s.\"Sales ID\" = h.\"Sale ID\")"),
              0);
    std::map<qint32, double> expected = initial;
    for (const auto &k : killLines())
        expected[k.index] -= sales * double(k.qty);
    EXPECT_EQ(stock(db), expected) << sales << " sales";
    for (qint32 id : reported)
        EXPECT_EQ(db.scalar("SELECT count(*) FROM Sales WHERE \"Sales ID\" = ?", {id}).toInt(), 1)
            << "sale " << id << " was reported committed";
}

} // namespace

// How many kills: 10 in the everyday run; VANTA_KILL_ROUNDS asks for more
// (CI runs it at scale).
int killRounds()
{
    bool ok = false;
    const int n = qEnvironmentVariableIntValue("VANTA_KILL_ROUNDS", &ok);
    return ok && n > 0 ? n : 10;
}

// The seed of the kill tests' draws: the same every run, so that a commit
// gives the same answer each time; VANTA_KILL_SEED draws others (a failure
// names its seed, and the seed draws that run again).
unsigned killSeed()
{
    bool ok = false;
    const uint seed = qgetenv("VANTA_KILL_SEED").toUInt(&ok);
    return ok ? seed : 20261207u;
}

TEST(PostingKill, KilledPostingsLeaveOnlyWholeSales)
{
    test::TempStore ts;
    storegen::fillDemoStore(ts.db());
    const std::map<qint32, double> initial = stock(ts.db());
    ts.store.reset();

    const unsigned seed = killSeed();
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    std::mt19937 rng(seed);
    // Each round waits for the child to report some sales committed, then
    // kills it a random moment later, most often in the middle of the next
    // posting. Waiting for progress rather than for a time keeps the test
    // meaningful on a slow or loaded machine.
    std::uniform_int_distribution<int> salesFirst(1, 3);
    std::uniform_int_distribution<int> thenMs(0, 15);
    QList<qint32> reported;
    const auto readReported = [&reported](QProcess &child) {
        while (child.canReadLine())
            if (const QByteArray line = child.readLine().trimmed(); !line.isEmpty())
                reported << line.toInt();
    };
    const int rounds = killRounds();
    for (int round = 0; round < rounds; ++round) {
        QProcess child;
        child.start(QStringLiteral(VANTA_POSTING_CHILD), {ts.path()});
        ASSERT_TRUE(child.waitForStarted()) << child.errorString().toStdString();
        while (!child.canReadLine())
            ASSERT_TRUE(child.waitForReadyRead(20000)) << child.readAllStandardError().toStdString();
        ASSERT_EQ(child.readLine().trimmed(), "ready");

        const qsizetype target = reported.size() + salesFirst(rng);
        while (reported.size() < target) {
            ASSERT_TRUE(child.waitForReadyRead(60000) || child.canReadLine())
                << "no progress: " << child.readAllStandardError().toStdString();
            readReported(child);
        }
        const int delay = thenMs(rng);
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < delay && child.state() == QProcess::Running)
            child.waitForReadyRead(int(std::max<qint64>(1, delay - clock.elapsed())));
        ASSERT_EQ(child.state(), QProcess::Running) << child.readAllStandardError().toStdString();
        child.kill();
        child.waitForFinished();
        readReported(child);
        // A last line cut by the kill is not a report.
        if (const QByteArray rest = child.readAll().trimmed(); !rest.isEmpty())
            qDebug() << "partial line after kill:" << rest;

        SCOPED_TRACE(testing::Message() << "round " << round << ", killed " << delay << " ms after sale "
                                        << target);
        checkStore(ts.path(), initial, reported);
        if (HasFatalFailure() || HasFailure())
            return;
    }
}
