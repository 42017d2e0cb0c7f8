// The register on the large store: a scanned code through the key filter to
// a priced, taxed line on screen, and start-up to a ready register (on the
// million store too).
#include "BenchStore.h"

#include "diagnostics/Trace.h"
#include "platform/SettingsStore.h"
#include "register/RegisterSession.h"
#include "register/frmPOS.h"
#include "support/ScriptedDialogRunner.h"
#include "support/ScriptedPrompt.h"
#include "support/ShiftAtLogon.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <benchmark/benchmark.h>

using namespace vanta;

namespace {

// How the open sale is journaled during a benchmark: not at all, on disk
// right behind each change (the register's way), or on disk before each
// change returns.
enum JournalMode { JournalOff = 0, JournalBehind = 1, JournalEachChange = 2 };

const char *journalLabel(int mode)
{
    switch (mode) {
    case JournalOff:
        return "journal off";
    case JournalBehind:
        return "journal on (synced behind)";
    default:
        return "journal on (synced each change)";
    }
}

// A register session with scripted boxes over the large store.
struct BenchRegister {
    explicit BenchRegister(int journal = JournalBehind)
        : settings(config.filePath("settings")), session(prompt, dialogs, settings, config.filePath("Users.ini"))
    {
        bench::largeStore(); // generated before anything is timed
        diag::Trace::instance().reset();
        test::noShiftAtLogon(settings); // the float is a person's answer, not the register's work
        if (journal == JournalOff)
            session.journalFolder.clear();
        else if (journal == JournalEachChange)
            session.journalSync = journal::JournalFile::Sync::EachWrite;
    }
    std::unique_ptr<frmPOS> openRegister(const QString &store = bench::largeStoreFolder())
    {
        auto pos = std::make_unique<frmPOS>(session, store);
        pos->Form_Load();
        pos->show();
        QApplication::processEvents();
        return pos;
    }

    QTemporaryDir config;
    test::ScriptedPrompt prompt; // a stock question is answered yes
    test::ScriptedDialogRunner dialogs;
    platform::SettingsStore settings;
    RegisterSession session;
};

void reportPercentiles(benchmark::State &state, std::vector<double> &ms)
{
    if (ms.empty())
        return;
    std::sort(ms.begin(), ms.end());
    const auto at = [&](double p) { return ms[std::min(ms.size() - 1, size_t(p * double(ms.size())))]; };
    state.counters["median_ms"] = at(0.50);
    state.counters["p99_ms"] = at(0.99);
    state.counters["max_ms"] = ms.back();
}

// `framed`: the scanner frames each code (Ctrl+] code Ctrl+\); otherwise it
// types the code and Enter as it comes from the factory, taken by its speed.
void scanToPricedLine(benchmark::State &state, const QString &store, int journal, bool framed = true)
{
    BenchRegister r(journal);
    state.SetLabel(journalLabel(journal));
    auto pos = r.openRegister(store);
    QWindow *window = pos->windowHandle();
    const auto &codes = bench::samples().barcodes;
    std::vector<double> ms;
    size_t i = 0;
    for (auto _ : state) {
        if (i % 20 == 0) { // a sale of twenty lines, then the next sale
            state.PauseTiming();
            r.session.sale.clearLines();
            state.ResumeTiming();
        }
        const QString &code = codes[qsizetype(i++ % size_t(codes.size()))];
        QElapsedTimer t;
        t.start();
        if (framed)
            QTest::keyClick(window, Qt::Key_BracketRight, Qt::ControlModifier);
        for (QChar c : code)
            QTest::keyClick(window, c.toLatin1());
        if (framed)
            QTest::keyClick(window, Qt::Key_Backslash, Qt::ControlModifier);
        else
            QTest::keyClick(window, Qt::Key_Return);
        QCoreApplication::sendPostedEvents(pos.get(), QEvent::MetaCall); // the journal write queued by the scan
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    reportPercentiles(state, ms);
}

// Argument: the journal mode (0 off, 1 on as the register runs, 2 on with
// each change on disk before it returns), to compare the cost of journaling.
void BM_ScanToPricedLine(benchmark::State &state)
{
    scanToPricedLine(state, bench::largeStoreFolder(), int(state.range(0)));
}
BENCHMARK(BM_ScanToPricedLine)->ArgName("journal")->Arg(JournalOff)->Arg(JournalBehind)->Arg(JournalEachChange)
    ->Unit(benchmark::kMillisecond)->Iterations(400);

// A scanner on its factory settings: the code and Enter, no framing keys.
void BM_TimedScanToPricedLine(benchmark::State &state)
{
    scanToPricedLine(state, bench::largeStoreFolder(), JournalBehind, false);
}
BENCHMARK(BM_TimedScanToPricedLine)->Unit(benchmark::kMillisecond)->Iterations(400);

// The same on the large store on a PostgreSQL server over its Unix socket.
void BM_ScanToPricedLineOnServer(benchmark::State &state)
{
    const QString address = bench::largeServerStore();
    if (address.isEmpty()) {
        state.SkipWithError("no PostgreSQL server");
        return;
    }
    scanToPricedLine(state, address, JournalBehind);
}
BENCHMARK(BM_ScanToPricedLineOnServer)->Unit(benchmark::kMillisecond)->Iterations(400);

// From the program's start to a ready register (`untilListed`: until its
// customer list is complete too, read in the background on a store of
// thousands of customers), on the store of the benchmark's argument.
void startUp(benchmark::State &state, bool untilListed)
{
    const bench::Size size = bench::sizeOf(state.range(0));
    bench::store(size);
    BenchRegister r;
    std::vector<double> ms;
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        auto pos = r.openRegister(bench::storeFolder(size));
        if (untilListed)
            pos->customerList().finishLoading();
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
        state.counters["rss_MB"] = double(bench::residentBytes()) / (1024.0 * 1024.0);
        state.counters["customers"] = double(pos->customerList().entries().size());
        state.PauseTiming();
        pos.reset();
        r.session.closeStore();
        state.ResumeTiming();
    }
    reportPercentiles(state, ms);
}

// On the large store and the million store, with the resident memory of the
// ready register.
void BM_StartUpToReadyRegister(benchmark::State &state) { startUp(state, false); }
BENCHMARK(BM_StartUpToReadyRegister)->ArgName("million")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_CustomersListed(benchmark::State &state) { startUp(state, true); }
BENCHMARK(BM_CustomersListed)->ArgName("million")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace
