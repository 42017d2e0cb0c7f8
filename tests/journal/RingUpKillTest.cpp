#include "db/Store.h"
#include "diagnostics/Trace.h"
#include "journal/OpenSale.h"
#include "journal/RingUp.h"
#include "platform/PromptNotices.h"
#include "platform/SettingsStore.h"
#include "register/RegisterSession.h"
#include "security/SecuritySwitch.h"
#include "support/MachineSpeedKeys.h"
#include "support/ShiftAtLogon.h"
#include "support/ScriptedPrompt.h"
#include "support/TempStore.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <cstdio>
#include <random>

using namespace vanta;

int killRounds();    // PostingKillTest.cpp: 10, or VANTA_KILL_ROUNDS
unsigned killSeed(); // PostingKillTest.cpp: fixed, or VANTA_KILL_SEED

namespace {

constexpr int kFirstChanges = 30; // the kill comes after 1 to this many changes made
constexpr int kChildChanges = 100000; // the child goes on changing the sale until killed

// A register on the store with its settings (and journal) in `config`.
struct Register {
    Register(const QString &store, const QString &config, bool journal)
        : settings(config), session(prompt, dialogs, settings, config + "/Users.ini")
    {
        diag::Trace::instance().reset();
        diag::Trace::instance().setNotices(&notices);
        security::SaveSecurity(settings, false);
        test::typeAtMachineSpeed(settings);
        test::noShiftAtLogon(settings);
        if (!journal)
            session.journalFolder.clear();
        pos = std::make_unique<frmPOS>(session, store);
        pos->Form_Load();
        pos->show();
        QApplication::setActiveWindow(pos.get());
    }
    ~Register()
    {
        pos.reset();
        diag::Trace::instance().reset();
    }
    journal::OpenSale openSale() const { return journal::openSaleOf(session.sale, QDateTime::currentDateTime()); }
    test::ScriptedPrompt prompt;
    platform::PromptNotices notices{prompt};
    test::ScriptedDialogRunner dialogs;
    platform::SettingsStore settings;
    RegisterSession session;
    std::unique_ptr<frmPOS> pos;
};

// The sale after each change of the seed's ring-up, made in this process
// with no journal: what the killed child's sale must be restored to.
std::vector<journal::OpenSale> ringUpStates(const QString &store, unsigned seed, int changes)
{
    QTemporaryDir config;
    Register r(store, config.path(), false);
    test::ringup::RingUp ringUp(*r.pos, r.session.sale.lines(), r.dialogs, seed);
    std::vector<journal::OpenSale> states{r.openSale()};
    for (int i = 1; i <= changes; ++i) {
        const QString what = ringUp.step();
        EXPECT_EQ(r.dialogs.pending(), 0) << qPrintable(what);
        states.push_back(r.openSale());
    }
    EXPECT_FALSE(r.prompt.texts().join("\n").contains("Error")) << qPrintable(r.prompt.texts().join("\n"));
    return states;
}

// The sale in a few words, for a failure message.
std::string describe(const journal::OpenSale &sale)
{
    QStringList parts;
    for (const sale::clsSaleItem &l : sale.lines)
        parts << QStringLiteral("%1 x%2 @%3 -%4% %5%6").arg(l.ITEMINDEX()).arg(l.qty()).arg(l.Price().cents()).arg(l.Discount())
                     .arg(l.Subtotal().cents()).arg(l.Taxable() ? "" : " exempt");
    parts << QStringLiteral("customer %1, pay type %2, shipping %3 %4 %5, tax %6 + %7")
                 .arg(sale.customerId.value_or(-1))
                 .arg(sale.payTypeId.value_or(-1))
                 .arg(sale.shipping.methodId)
                 .arg(sale.shipping.description)
                 .arg(sale.shipping.chargeCents)
                 .arg(sale.salesTax)
                 .arg(sale.shippingTax);
    return parts.join("; ").toStdString();
}

journal::OpenSale comparable(journal::OpenSale sale)
{
    sale.saleId = 0;
    sale.changed = QDateTime();
    return sale;
}

} // namespace

TEST(RingUpKill, RestoredSaleIsTheSaleAtTheLastChangeMade)
{
    test::TempStore ts;
    storegen::fillDemoStore(ts.db());
    ts.store.reset();

    const unsigned seed = killSeed();
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> changesFirst(1, kFirstChanges);
    std::uniform_int_distribution<int> thenMs(0, 8);
    const int rounds = killRounds();
    int killedAfterReport = 0, killedBeforeReport = 0; // the restored sale was the last reported, or the next
    for (int round = 0; round < rounds; ++round) {
        const unsigned saleSeed = rng();
        QTemporaryDir config;
        QProcess child;
        child.start(QStringLiteral(VANTA_RINGUP_CHILD),
                    {ts.path(), config.path(), QString::number(saleSeed), QString::number(kChildChanges)});
        ASSERT_TRUE(child.waitForStarted()) << child.errorString().toStdString();
        while (!child.canReadLine())
            ASSERT_TRUE(child.waitForReadyRead(30000)) << child.readAllStandardError().toStdString();
        const QList<QByteArray> ready = child.readLine().trimmed().split(' ');
        ASSERT_EQ(ready.value(0), "ready");
        const qint32 saleId = ready.value(1).toInt();

        // Wait for some changes made, then kill a random moment later.
        int made = 0;
        const auto readMade = [&made, &child] {
            while (child.canReadLine())
                if (const QByteArray line = child.readLine().trimmed(); !line.isEmpty())
                    made = line.toInt();
        };
        const int target = changesFirst(rng);
        while (made < target) {
            ASSERT_TRUE(child.waitForReadyRead(30000) || child.canReadLine())
                << "no progress: " << child.readAllStandardError().toStdString();
            readMade();
        }
        const int delay = thenMs(rng);
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < delay && child.state() == QProcess::Running)
            child.waitForReadyRead(int(std::max<qint64>(1, delay - clock.elapsed())));
        child.kill();
        child.waitForFinished();
        readMade();
        SCOPED_TRACE(testing::Message() << "round " << round << ", sale seed " << saleSeed << ", killed " << delay
                                        << " ms after change " << target << ", with change " << made << " made");

        const std::vector<journal::OpenSale> states = ringUpStates(ts.path(), saleSeed, made + 1);
        Register restarted(ts.path(), config.path(), true);
        ASSERT_GE(restarted.prompt.count(), 1);
        const QString question = restarted.prompt.requests()[0].text;
        EXPECT_TRUE(question.startsWith("An unfinished sale from ")) << qPrintable(question);
        EXPECT_EQ(restarted.prompt.requests()[0].title, "Vanta! POS");
        const journal::OpenSale restored = restarted.openSale();
        EXPECT_EQ(restored.saleId, saleId);
        EXPECT_TRUE(question.endsWith(QStringLiteral(" with %1 items was found. Restore it?").arg(restored.lines.size())))
            << qPrintable(question);
        const bool last = comparable(restored) == comparable(states[size_t(made)]);
        const bool next = comparable(restored) == comparable(states[size_t(made + 1)]);
        (next && !last ? killedBeforeReport : killedAfterReport)++;
        EXPECT_TRUE(last || next) << "restored: " << describe(restored) << "\nlast reported: "
                                  << describe(states[size_t(made)]) << "\nthe one after: "
                                  << describe(states[size_t(made + 1)]);
        {
            db::Store store(ts.path());
            EXPECT_EQ(store.database().scalar("PRAGMA integrity_check").toString(), "ok");
        }
        if (HasFailure())
            return;
    }
    std::printf("restored the last reported change %d times, the one after it %d times\n", killedAfterReport,
                killedBeforeReport);
}
