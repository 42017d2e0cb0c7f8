// The item finder on the large store: the text search against the bare
// LIKE query it replaces, opening the finder with its whole list, and the
// category tree.
#include "BenchStore.h"

#include "db/Store.h"
#include "lookup/CatalogueRefresh.h"
#include "lookup/ItemCatalogue.h"
#include "lookup/frmFind.h"
#include "support/ScriptedDialogRunner.h"
#include "support/ScriptedPrompt.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeView>
#include <benchmark/benchmark.h>

using namespace vanta;

namespace {

// "Pro Hammer" matches a few hundred of the 100,000 items; "qzxv" none.
const char *const kFew = "Pro Hammer";
const char *const kNone = "qzxv";

const lookup::ItemCatalogue &catalogue()
{
    static const lookup::ItemCatalogue c(bench::largeStore());
    return c;
}

void BM_FinderSearch(benchmark::State &state, const char *text)
{
    const lookup::ItemCatalogue &c = catalogue();
    size_t hits = 0;
    for (auto _ : state)
        hits = c.search(QString::fromUtf8(text), false).size();
    state.counters["hits"] = double(hits);
}
BENCHMARK_CAPTURE(BM_FinderSearch, few, kFew)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FinderSearch, none, kNone)->Unit(benchmark::kMillisecond);

// The search as a cashier sees it: the text typed into the finder, Find
// clicked, and the results tree built and painted.
void BM_FinderFindShown(benchmark::State &state, const char *text)
{
    test::ScriptedPrompt prompt;
    test::ScriptedDialogRunner dialogs;
    lookup::frmFind f(lookup::FinderContext{bench::largeStore(), prompt, dialogs,
                                            bench::largeStoreFolder() + QStringLiteral("/Pictures/"),
                                            [](const sale::Good &) {}, [] {}});
    f.show();
    QApplication::processEvents();
    f.findChild<QLineEdit *>("txtFind")->setText(QString::fromUtf8(text));
    auto *find = f.findChild<QPushButton *>("cmdFind");
    for (auto _ : state) {
        find->click();
        QApplication::processEvents();
    }
}
BENCHMARK_CAPTURE(BM_FinderFindShown, few, kFew)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FinderFindShown, none, kNone)->Unit(benchmark::kMillisecond);

// The search as one LIKE over the thirteen columns, for comparison.
void BM_LikeSearch(benchmark::State &state, const char *text)
{
    const db::Database &db = bench::largeStore().database();
    QString where;
    for (const char *c : {"Name", "desc short", "desc long", "label4", "label5", "label3", "label6", "label7",
                          "label2", "label1", "barcode label", "accounting name", "customUOM"})
        where += QStringLiteral("\"%1\" LIKE ?1 ESCAPE '\\' OR ").arg(QLatin1String(c));
    const QString sql = QStringLiteral("SELECT \"Item Index\" FROM Items WHERE (") + where
                        + QStringLiteral("\"Item Index\" = ?2) AND qty >= 0 AND Hidden = 0 ORDER BY Name");
    const QString pattern = QLatin1Char('%') + QString::fromUtf8(text) + QLatin1Char('%');
    size_t hits = 0;
    for (auto _ : state) {
        hits = 0;
        for (auto rs = db.openQuery(sql, {pattern, 0}); !rs.eof(); rs.moveNext())
            ++hits;
    }
    state.counters["hits"] = double(hits);
}
BENCHMARK_CAPTURE(BM_LikeSearch, few, kFew)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LikeSearch, none, kNone)->Unit(benchmark::kMillisecond);

// Reading the 100,000 items with their folded search text.
void BM_CatalogueLoad(benchmark::State &state)
{
    db::Store &store = bench::largeStore();
    for (auto _ : state)
        benchmark::DoNotOptimize(lookup::ItemCatalogue(store).size());
}
BENCHMARK(BM_CatalogueLoad)->Unit(benchmark::kMillisecond);

struct BenchFinder {
    test::ScriptedPrompt prompt;
    test::ScriptedDialogRunner dialogs;
    std::unique_ptr<lookup::frmFind> open()
    {
        auto f = std::make_unique<lookup::frmFind>(lookup::FinderContext{
            bench::largeStore(), prompt, dialogs, bench::largeStoreFolder() + QStringLiteral("/Pictures/"),
            [](const sale::Good &) {}, [] {}});
        f->show();
        QApplication::processEvents(); // laid out and painted: ready to scroll
        return f;
    }
};

// From the command to a painted finder with all 100,000 rows in its list.
void BM_FinderOpen(benchmark::State &state)
{
    BenchFinder b;
    bench::largeStore();
    for (auto _ : state)
        benchmark::DoNotOptimize(b.open());
}
BENCHMARK(BM_FinderOpen)->Unit(benchmark::kMillisecond);

// Lowers one item's stock in a transaction of its own on `db` and commits,
// as a posting does.
void lowerOneStock(const db::Database &db, int n)
{
    db::Transaction tx(db.connection());
    db.execute(QStringLiteral("UPDATE \"Items\" SET \"qty\" = \"qty\" - 1 WHERE \"Item Index\" = ?"),
               {1 + (n % 1000)});
    tx.commit();
}

// The first open after a posting, made by this register (argument 0: on
// the connection a posting takes), by another register (1: another
// connection, whose commit empties this one's page cache), or by another
// register with the register's background refresh done before the finder
// opens (2).
void BM_FinderOpenAfterPosting(benchmark::State &state)
{
    BenchFinder b;
    db::Store &store = bench::largeStore();
    b.open(); // the catalogue is kept with the store from here on
    lookup::CatalogueRefresh refresh([&] { return &store; }, 3600 * 1000);
    bool refreshed = false;
    refresh.setFinishedCallback([&](bool) { refreshed = true; });
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (state.range(0) == 0) {
            db::Workspace ws(store);
            lowerOneStock(ws.database(), n++);
        } else {
            lowerOneStock(store.separateConnection(), n++);
        }
        if (state.range(0) == 2) {
            refreshed = false;
            refresh.checkNow();
            while (!refreshed)
                QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        state.ResumeTiming();
        benchmark::DoNotOptimize(b.open());
    }
    const char *labels[] = {"posted here", "posted by another register", "by another register, refreshed behind"};
    state.SetLabel(labels[state.range(0)]);
}
BENCHMARK(BM_FinderOpenAfterPosting)->ArgName("other")->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// Switching to "By Categories": the 520 categories built and painted.
void BM_FinderCategoryTree(benchmark::State &state)
{
    BenchFinder b;
    auto f = b.open();
    auto *tabs = f->findChild<QTabWidget *>("SSTab1");
    for (auto _ : state) {
        tabs->setCurrentIndex(0);
        tabs->setCurrentIndex(1);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_FinderCategoryTree)->Unit(benchmark::kMillisecond);

// Scrolling the whole list by pages: the longest single page step.
void BM_FinderScrollPage(benchmark::State &state)
{
    BenchFinder b;
    auto f = b.open();
    auto *list = f->findChild<QTreeView *>("lvAll");
    int page = 0;
    for (auto _ : state) {
        list->scrollTo(list->model()->index((page++ * 997) % list->model()->rowCount(), 0));
        list->viewport()->repaint();
    }
}
BENCHMARK(BM_FinderScrollPage)->Unit(benchmark::kMicrosecond);

} // namespace
