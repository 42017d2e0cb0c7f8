#pragma once

#include "db/Store.h"

#include <QPair>
#include <QString>
#include <QStringList>
#include <memory>
#include <utility>

namespace vanta::db {

using ChangeStamp = QPair<qint64, qint64>;

// A span of work (one scan, one refresh of the totals) in which the store's
// change stamp is read once: data kept with the store is checked against
// that one reading instead of asking the store again at every use, which on
// a server costs a round trip each time. Spans nest; the outermost one reads
// the stamp when first needed. Inside a span the register itself must not
// write what is kept, and whoever waits for the cashier (a question) calls
// readAgain() afterwards: another register may have changed the store
// meanwhile.
class StampSpan {
public:
    explicit StampSpan(Store &store);
    ~StampSpan();
    StampSpan(const StampSpan &) = delete;
    StampSpan &operator=(const StampSpan &) = delete;

    // Forgets the reading: the next use of kept data reads the stamp again.
    static void readAgain(Store &store);

private:
    Store &mStore;
};

// The store's change stamp: the reading of the open span, or read now.
ChangeStamp currentStamp(Store &store);
// A stamp that changes when rows of `tables` may have changed, where the
// store can tell its tables apart (see Connection::tablesStamp; its notes
// are asked for once per span); the whole store's stamp otherwise, and for
// no tables named.
ChangeStamp currentStamp(Store &store, const QStringList &tables);

// What keptData() attaches to the store: the data and the stamp read before
// it was made.
template <typename T>
struct Kept {
    ChangeStamp stamp;
    std::shared_ptr<T> data;
};

// Data derived from the store's `tables`, kept with it under `key` while
// their change stamp stays the same and `fits(data)` holds; made again by
// `make` otherwise. The stamp is read before `make` reads anything, so a
// change that races with the reading is caught by the next check. Data that
// fills itself in later (a cache of answers) is safe too: what it reads
// later is newer than the stamp it is kept with. No tables named: any
// change of the store makes it again.
template <typename T, typename Make, typename Fits>
std::shared_ptr<T> keptData(Store &store, const QString &key, const QStringList &tables, Make &&make, Fits &&fits)
{
    // Rows read inside an open transaction of the connection may yet be
    // rolled back: nothing read there is kept.
    if (store.database().connection().inTransaction())
        return make();
    const ChangeStamp stamp = currentStamp(store, tables);
    if (auto kept = std::static_pointer_cast<Kept<T>>(store.attachment(key));
        kept && kept->stamp == stamp && fits(*kept->data))
        return kept->data;
    std::shared_ptr<T> data = make();
    store.attach(key, std::make_shared<Kept<T>>(Kept<T>{stamp, data}));
    return data;
}

template <typename T, typename Make>
std::shared_ptr<T> keptData(Store &store, const QString &key, const QStringList &tables, Make &&make)
{
    return keptData<T>(store, key, tables, std::forward<Make>(make), [](const T &) { return true; });
}

} // namespace vanta::db
