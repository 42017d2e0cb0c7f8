// A stored sale opened for its return on the large store with 50,000 stored
// sales: its lines, what each paid and what came back already.
#include "BenchStore.h"

#include "db/RowWriter.h"
#include "db/Schema.h"
#include "sale/StoredSale.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <algorithm>
#include <benchmark/benchmark.h>

using namespace vanta;

namespace {

constexpr qint32 kStoredSales = 50000;
constexpr qint32 kLinesPerSale = 3;

// Fills the large store with sales the way posting stores them (the sale,
// its lines, what each line paid and its tax by agency, and an earlier
// return of every tenth sale's first line), once: a store that has them
// already keeps them.
void ensureStoredSales(db::Store &store)
{
    const db::Database &db = store.database();
    if (db.scalar("SELECT count(*) FROM Sales").toInt() >= kStoredSales)
        return;
    db::createAddedTables(db.connection());
    const auto &items = bench::samples().plainItems;
    db::Transaction tx(db.connection());
    db::RowWriter sales(db.connection(), "Sales",
                        {"Sales ID", "total of sale", "Tax", "date of sale", "cust id", "paytype", "TypeID",
                         "Shipping"});
    db::RowWriter sold(db.connection(), "Sold Items",
                       {"Sold ID", "sales id", "line item", "Item Index", "sold price", "qty sold", "taxed"});
    db::RowWriter paid(db.connection(), "Sold Line Paid", {"Sold ID", "sales id", "subtotal", "discount"});
    db::RowWriter taxes(db.connection(), "Sold Line Tax", {"Sold ID", "sales id", "Tax agency", "total"});
    db::RowWriter returned(db.connection(), "Returned Items",
                           {"Returned ID", "sales id", "original sales id", "Sold ID", "qty"});
    const QDateTime start(QDate(2026, 1, 2), QTime(9, 0));
    qint32 soldId = 0;
    for (qint32 id = 1; id <= kStoredSales; ++id) {
        sales.add({id, 33.0, 3.0, start.addSecs(id * 600), 1, 1, 0, 0.0});
        for (qint32 line = 1; line <= kLinesPerSale; ++line) {
            ++soldId;
            const qint32 item = items[qsizetype((id * kLinesPerSale + line) % items.size())];
            sold.add({soldId, id, line, item, 10.0, 1.0, true});
            paid.add({soldId, id, 10.0, 0.0});
            taxes.add({soldId, id, "State", 0.8});
            taxes.add({soldId, id, "County", 0.2});
            if (line == 1 && id % 10 == 0)
                returned.add({soldId, kStoredSales + id, id, soldId, 1.0});
        }
    }
    tx.commit();
}

void BM_OpenSaleForReturn(benchmark::State &state)
{
    db::Store &store = bench::largeStore();
    ensureStoredSales(store);
    std::vector<double> ms;
    qint32 id = 7;
    for (auto _ : state) {
        id = (id * 7919) % kStoredSales + 1; // spread over the store
        QElapsedTimer timer;
        timer.start();
        try {
            benchmark::DoNotOptimize(sale::ReadSaleForReturn(store, id));
        } catch (const sale::ReturnRefused &) {
            // a sale returned whole: still a lookup
        }
        ms.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    state.counters["median_ms"] = ms[ms.size() / 2];
    state.counters["p99_ms"] = ms[std::min(ms.size() - 1, ms.size() * 99 / 100)];
    state.counters["max_ms"] = ms.back();
}
BENCHMARK(BM_OpenSaleForReturn)->Iterations(500);

} // namespace
