// The customer form on the large store (20,000 customers): opening it to a
// shown list with the first customer's record bound (on the million store's
// 100,000 customers too), and scrolling the list page by page.
#include "BenchStore.h"

#include "customers/frmCustomers.h"
#include "diagnostics/Trace.h"
#include "security/Identity.h"
#include "support/ScriptedDialogRunner.h"
#include "support/ScriptedPrompt.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTableView>
#include <algorithm>
#include <benchmark/benchmark.h>

using namespace vanta;

namespace {

struct BenchCustomers {
    explicit BenchCustomers(bench::Size size = bench::Size::Large) : size(size) { diag::Trace::instance().reset(); }
    std::unique_ptr<frmCustomers> open()
    {
        auto dlg = std::make_unique<frmCustomers>(
            frmCustomers::Context{bench::store(size), prompt, dialogs, identity, {}, {}, {}}, 1);
        dlg->show();
        QApplication::processEvents();
        return dlg;
    }
    bench::Size size;
    test::ScriptedPrompt prompt;
    test::ScriptedDialogRunner dialogs;
    security::Identity identity;
};

void BM_CustomerFormOpen(benchmark::State &state)
{
    BenchCustomers b(bench::sizeOf(state.range(0)));
    bench::store(b.size);
    state.SetLabel(bench::sizeLabel(b.size));
    for (auto _ : state) {
        auto dlg = b.open();
        benchmark::DoNotOptimize(dlg->currentCustId());
    }
}
BENCHMARK(BM_CustomerFormOpen)->ArgName("million")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(10);

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
