// The customer form on the large store (20,000 customers): opening it to a
// shown list with a customer's record bound (on the million store's 100,000
// customers too, and on CASH SALE with its year of half a million sales),
// and scrolling the list page by page.
#include "BenchStore.h"

#include "customers/TransactionList.h"
#include "customers/frmCustomers.h"
#include "diagnostics/Trace.h"
#include "security/Identity.h"
#include "support/ScriptedDialogRunner.h"
#include "support/ScriptedPrompt.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>
#include <algorithm>
#include <benchmark/benchmark.h>

using namespace vanta;

namespace {

struct BenchCustomers {
    explicit BenchCustomers(bench::Size size = bench::Size::Large) : size(size) { diag::Trace::instance().reset(); }
    std::unique_ptr<frmCustomers> open(qint32 custId = 2)
    {
        auto dlg = std::make_unique<frmCustomers>(
            frmCustomers::Context{bench::store(size), prompt, dialogs, identity, {}, {}, {}}, custId);
        dlg->show();
        QApplication::processEvents();
        return dlg;
    }
    bench::Size size;
    test::ScriptedPrompt prompt;
    test::ScriptedDialogRunner dialogs;
    security::Identity identity;
};

// Arguments: the store (0 large, 1 million) and the customer (0 one with a
// few sales, 1 CASH SALE: on the large store every walk-in sale of the year).
void BM_CustomerFormOpen(benchmark::State &state)
{
    BenchCustomers b(bench::sizeOf(state.range(0)));
    bench::store(b.size);
    const bool cashSale = state.range(1) == 1;
    state.SetLabel(std::string(bench::sizeLabel(b.size)) + (cashSale ? ", CASH SALE" : ""));
    for (auto _ : state) {
        auto dlg = b.open(cashSale ? 1 : 2);
        benchmark::DoNotOptimize(dlg->currentCustId());
    }
}
BENCHMARK(BM_CustomerFormOpen)->ArgNames({"million", "cash"})->Args({0, 0})->Args({1, 0})->Args({0, 1})
    ->Unit(benchmark::kMillisecond)->Iterations(10);

// The transactions tab shown on CASH SALE, and the list scrolled to its end
// once (the next page read).
void BM_CustomerTransactionsShown(benchmark::State &state)
{
    BenchCustomers b;
    bench::largeStore();
    auto dlg = b.open(1);
    for (auto _ : state) {
        dlg->tabCustomers->setCurrentIndex(2);
        dlg->trans1->view()->scrollToBottom();
        QApplication::processEvents();
        state.counters["rows"] = double(dlg->trans1->sales().size());
        state.PauseTiming();
        dlg->tabCustomers->setCurrentIndex(0);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CustomerTransactionsShown)->Unit(benchmark::kMillisecond)->Iterations(10);

// One page down the list and a repaint, over the whole list; the slowest
// step is the stall a cashier would feel.
void BM_CustomerFormScroll(benchmark::State &state)
{
    bench::largeStore();
    BenchCustomers b;
    auto dlg = b.open();
    QScrollBar *bar = dlg->lsvCustomers->verticalScrollBar();
    std::vector<double> ms;
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        int next = bar->value() + bar->pageStep();
        if (next > bar->maximum())
            next = 0;
        bar->setValue(next);
        dlg->lsvCustomers->viewport()->repaint();
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    state.counters["median_ms"] = ms[ms.size() / 2];
    state.counters["max_ms"] = ms.back();
}
BENCHMARK(BM_CustomerFormScroll)->Unit(benchmark::kMillisecond)->Iterations(500);

} // namespace
