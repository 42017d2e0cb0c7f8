#pragma once

#include "db/Store.h"

#include <QDate>
#include <QList>
#include <QString>
#include <cstdint>
#include <memory>

namespace vanta::bench {

// The generated stores the benchmarks run on, each made once in
// $VANTA_BENCH_DIR (default /tmp/vanta-bench) and reused by later runs: the
// large store (100,000 items, 20,000 customers, a year of past sales from
// historyFirstDay to historyLastDay) and the million store (1,000,000 items,
// 100,000 customers).
enum class Size { Large = 0, Million = 1 };
QDate historyFirstDay();
QDate historyLastDay();
QString storeFolder(Size size);
db::Store &store(Size size);
// The size a benchmark's argument names, and its label.
Size sizeOf(int64_t argument);
const char *sizeLabel(Size size);
inline QString largeStoreFolder() { return storeFolder(Size::Large); }
inline db::Store &largeStore() { return store(Size::Large); }

// The process's resident memory now (VmRSS) and at its highest so far
// (VmHWM), in bytes.
size_t residentBytes();
size_t peakResidentBytes();
// The same large store on a PostgreSQL server: $VANTA_BENCH_PG (an address;
// filled when it holds no store yet), else a server of the benchmark run's
// own on a Unix socket, filled by copying the large store file into it.
// Empty when no server can be had.
QString largeServerStore();

// Ids drawn from the large store for the benchmarks to cycle through.
struct Samples {
    QList<qint32> plainItems;
    QList<qint32> bulkItems;
    QList<qint32> variants;
    QList<QString> barcodes;
};
const Samples &samples();

} // namespace vanta::bench
