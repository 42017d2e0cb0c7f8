// Seeks, barcode lookups and pricing on the large generated store.
#include "BenchStore.h"

#include "db/BarcodeLookup.h"
#include "sale/Pricing.h"

#include <benchmark/benchmark.h>

using namespace vanta;

namespace {

template <typename T>
const T &cycle(const QList<T> &list, size_t &i)
{
    return list[qsizetype(i++ % size_t(list.size()))];
}

void BM_SeekItemByIndex(benchmark::State &state)
{
    db::Store &store = bench::largeStore();
    const auto &ids = bench::samples().plainItems;
    size_t i = 0;
    for (auto _ : state) {
        db::Recordset rs = store.database().openTable("Items");
        rs.setIndex("Item Index");
        benchmark::DoNotOptimize(rs.seek(cycle(ids, i)));
        benchmark::DoNotOptimize(rs.field("LIST PRICE"));
    }
}
BENCHMARK(BM_SeekItemByIndex);

void BM_FindItemByCode(benchmark::State &state)
{
    db::Store &store = bench::largeStore();
    const auto &codes = bench::samples().barcodes;
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(db::FindItemByCode(store, cycle(codes, i)));
}
BENCHMARK(BM_FindItemByCode);

void BM_GetPricePlain(benchmark::State &state)
{
    db::Store &store = bench::largeStore();
    const auto &ids = bench::samples().plainItems;
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(sale::GetPrice(store, sale::Good::item(cycle(ids, i)), 1.0f));
}
BENCHMARK(BM_GetPricePlain);

void BM_GetPriceBulk(benchmark::State &state)
{
    db::Store &store = bench::largeStore();
    const auto &ids = bench::samples().bulkItems;
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(sale::GetPrice(store, sale::Good::item(cycle(ids, i)), 12.0f));
}
BENCHMARK(BM_GetPriceBulk);

void BM_GetPriceVariant(benchmark::State &state)
{
    db::Store &store = bench::largeStore();
    const auto &ids = bench::samples().variants;
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(sale::GetPrice(store, sale::Good::variant(cycle(ids, i)), 1.0f));
}
BENCHMARK(BM_GetPriceVariant);

void BM_GetDiscountBulk(benchmark::State &state)
{
    db::Store &store = bench::largeStore();
    const auto &ids = bench::samples().bulkItems;
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(sale::GetDiscount(store, sale::Good::item(cycle(ids, i)), 12.0));
}
BENCHMARK(BM_GetDiscountBulk);

} // namespace
