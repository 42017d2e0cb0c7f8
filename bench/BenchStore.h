#pragma once

#include "db/Store.h"

#include <QDate>
#include <QList>
#include <QString>
#include <memory>

namespace vanta::bench {

// The large generated store the benchmarks run on (100,000 items, 20,000
// customers, a year of past sales from historyFirstDay to historyLastDay),
// made once in $VANTA_BENCH_DIR (default /tmp/vanta-bench) and
// reused by later runs.
QDate historyFirstDay();
QDate historyLastDay();
QString largeStoreFolder();
db::Store &largeStore();
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
