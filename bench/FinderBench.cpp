// The item finder on the large store and on the million store, side by
// side: the text search (against the bare LIKE query it replaces on the
// large store), reading the catalogue as the register does in the
// background, opening the finder with its whole list, the category tree,
// and the memory the catalogue and the open finder take.
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
#include <algorithm>
#include <benchmark/benchmark.h>

using namespace vanta;

namespace {

// "Pro Hammer" matches a few hundred of the 100,000 items; "qzxv" none;
// "sales:hard" an eighth of them, all in a column many items share; "e"
// nearly every item.
const char *const kFew = "Pro Hammer";
const char *const kNone = "qzxv";
const char *const kShared = "sales:hard";
const char *const kEvery = "e";

// The catalogue kept with a store, as the register's background read
// leaves it.
const lookup::ItemCatalogue &catalogue(bench::Size size)
{
    return *lookup::ItemCatalogue::current(bench::store(size));
}

void BM_FinderSearch(benchmark::State &state, const char *text)
{
    const bench::Size size = bench::sizeOf(state.range(0));
    const lookup::ItemCatalogue &c = catalogue(size);
    size_t hits = 0;
    for (auto _ : state)
        hits = c.search(QString::fromUtf8(text), false).size();
    state.counters["hits"] = double(hits);
    state.SetLabel(bench::sizeLabel(size));
}
BENCHMARK_CAPTURE(BM_FinderSearch, few, kFew)->ArgName("million")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FinderSearch, none, kNone)->ArgName("million")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FinderSearch, shared, kShared)->ArgName("million")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FinderSearch, every, kEvery)->ArgName("million")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

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

// Reading the items with their folded search text, as the register's
// background read does after start-up.
void BM_CatalogueLoad(benchmark::State &state)
{
    const bench::Size size = bench::sizeOf(state.range(0));
    db::Store &store = bench::store(size);
    for (auto _ : state)
        benchmark::DoNotOptimize(lookup::ItemCatalogue(store).size());
    state.SetLabel(bench::sizeLabel(size));
}
BENCHMARK(BM_CatalogueLoad)->ArgName("million")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

struct BenchFinder {
    explicit BenchFinder(bench::Size size = bench::Size::Large, db::Store *on = nullptr) : size(size), on(on) {}
    bench::Size size;
    db::Store *on; // a store other than the size's own (the server store)
    test::ScriptedPrompt prompt;
    test::ScriptedDialogRunner dialogs;
    std::unique_ptr<lookup::frmFind> open()
    {
        auto f = std::make_unique<lookup::frmFind>(lookup::FinderContext{
            on ? *on : bench::store(size), prompt, dialogs, bench::storeFolder(size) + QStringLiteral("/Pictures/"),
            [](const sale::Good &) {}, [] {}});
        f->show();
        QApplication::processEvents(); // laid out and painted: ready to scroll
        return f;
    }
};

// From the command to a painted finder with every row in its list, the
// catalogue read behind after start-up.
void BM_FinderOpen(benchmark::State &state)
{
    BenchFinder b(bench::sizeOf(state.range(0)));
    catalogue(b.size);
    for (auto _ : state)
        benchmark::DoNotOptimize(b.open());
    state.SetLabel(bench::sizeLabel(b.size));
}
BENCHMARK(BM_FinderOpen)->ArgName("million")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The memory of the catalogue by part and of the open finder's list, and
// the process's growth from a store without a catalogue to the finder open
// (what the allocator hands back to the system shows as less growth), with
// the highest the process took on the way. The finder reads the catalogue
// itself on the store's connection (behind: 0), or finds it read by the
// register's background refresh on a connection of its own (1).
void BM_FinderMemory(benchmark::State &state)
{
    const bench::Size size = bench::sizeOf(state.range(0));
    const double mb = 1024.0 * 1024.0;
    for (auto _ : state) {
        db::Store fresh(bench::storeFolder(size));
        const size_t before = bench::residentBytes();
        if (state.range(1) == 1) {
            lookup::CatalogueRefresh refresh([&] { return &fresh; }, 3600 * 1000);
            bool read = false;
            refresh.setFinishedCallback([&](bool) { read = true; });
            refresh.checkNow();
            while (!read)
                QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        test::ScriptedPrompt prompt;
        test::ScriptedDialogRunner dialogs;
        lookup::frmFind f(lookup::FinderContext{fresh, prompt, dialogs, QString(), [](const sale::Good &) {}, [] {}});
        f.show();
        QApplication::processEvents();
        const size_t with = bench::residentBytes();
        const lookup::ItemCatalogue::Footprint bytes = lookup::ItemCatalogue::current(fresh)->footprint();
        const int rows = f.findChild<QTreeView *>("lvAll")->model()->rowCount();
        state.counters["search_text_MB"] = double(bytes.searchText) / mb;
        state.counters["shown_text_MB"] = double(bytes.shownText) / mb;
        state.counters["entries_MB"] = double(bytes.entries) / mb;
        state.counters["list_MB"] = double(rows) * 5 / mb;
        state.counters["rss_growth_MB"] = double(with - std::min(with, before)) / mb;
        state.counters["rss_MB"] = double(with) / mb;
        state.counters["peak_rss_MB"] = double(bench::peakResidentBytes()) / mb;
    }
    state.SetLabel(bench::sizeLabel(size));
}
BENCHMARK(BM_FinderMemory)->ArgNames({"million", "behind"})->ArgsProduct({{0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond)->Iterations(1);

// Lowers one item's stock in a transaction of its own on `db` and commits,
// as a posting does.
void lowerOneStock(const db::Database &db, int n)
{
    db::Transaction tx(db.connection());
    db.execute(QStringLiteral("UPDATE \"Items\" SET \"qty\" = \"qty\" - 1 WHERE \"Item Index\" = ?"),
               {1 + (n % 1000)});
    tx.commit();
}

// A posting's stock change: by this register, through a workspace as a
// posting takes it, or on `other`, another register's connection.
void postOneSale(db::Store &store, const db::Database *other, int n)
{
    if (other) {
        lowerOneStock(*other, n);
        return;
    }
    db::Workspace ws(store);
    lowerOneStock(ws.database(), n);
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
    const db::Database other = store.separateConnection();
    b.open(); // the catalogue is kept with the store from here on
    lookup::CatalogueRefresh refresh([&] { return &store; }, 3600 * 1000);
    bool refreshed = false;
    refresh.setFinishedCallback([&](bool) { refreshed = true; });
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        postOneSale(store, state.range(0) == 0 ? nullptr : &other, n++);
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

// The same on the large store on a PostgreSQL server, where the posting's
// notes name the items whose stock it lowered: by this register (0) or by
// another register (1).
void BM_FinderOpenAfterPostingOnServer(benchmark::State &state)
{
    const QString address = bench::largeServerStore();
    if (address.isEmpty()) {
        state.SkipWithError("no PostgreSQL server");
        return;
    }
    db::Store store(address);
    db::Store other(address);
    BenchFinder b(bench::Size::Large, &store);
    b.open();
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        postOneSale(store, state.range(0) == 0 ? nullptr : &other.database(), n++);
        state.ResumeTiming();
        benchmark::DoNotOptimize(b.open());
    }
    state.SetLabel(state.range(0) == 0 ? "posted here" : "posted by another register");
}
BENCHMARK(BM_FinderOpenAfterPostingOnServer)->ArgName("other")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Switching to "By Categories": the 520 categories built and painted.
void BM_FinderCategoryTree(benchmark::State &state)
{
    BenchFinder b(bench::sizeOf(state.range(0)));
    catalogue(b.size);
    state.SetLabel(bench::sizeLabel(b.size));
    auto f = b.open();
    auto *tabs = f->findChild<QTabWidget *>("SSTab1");
    for (auto _ : state) {
        tabs->setCurrentIndex(0);
        tabs->setCurrentIndex(1);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_FinderCategoryTree)->ArgName("million")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Scrolling the whole list by pages: the longest single page step.
void BM_FinderScrollPage(benchmark::State &state)
{
    BenchFinder b(bench::sizeOf(state.range(0)));
    catalogue(b.size);
    state.SetLabel(bench::sizeLabel(b.size));
    auto f = b.open();
    auto *list = f->findChild<QTreeView *>("lvAll");
    int page = 0;
    for (auto _ : state) {
        list->scrollTo(list->model()->index((page++ * 997) % list->model()->rowCount(), 0));
        list->viewport()->repaint();
    }
}
BENCHMARK(BM_FinderScrollPage)->ArgName("million")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// A click on a column's header: the list sorted by it (QTY, UOM, Price in
// turn) and painted.
void BM_FinderSortColumn(benchmark::State &state)
{
    BenchFinder b(bench::sizeOf(state.range(0)));
    catalogue(b.size);
    state.SetLabel(bench::sizeLabel(b.size));
    auto f = b.open();
    int column = 1;
    for (auto _ : state) {
        f->FillLVAll(2 + column++ % 3, false);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_FinderSortColumn)->ArgName("million")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
