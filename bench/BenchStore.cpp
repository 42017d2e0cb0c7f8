#include "BenchStore.h"

#include "db/Schema.h"
#include "diagnostics/VantaError.h"
#include "storegen/DemoStore.h"
#include "storegen/SalesHistory.h"
#include "storegen/StoreCopy.h"
#include "support/PgServer.h"

#include <QDir>
#include <QFile>
#include <QElapsedTimer>
#include <cstdio>

namespace vanta::bench {

namespace {
constexpr quint32 kSeed = 4093;
// Raised whenever the generator changes, so that a store made by an older
// generator is not reused.
constexpr int kGeneration = 3;

struct Shape {
    int items;
    int customers;
};
Shape shapeOf(Size size) { return size == Size::Million ? Shape{1000000, 100000} : Shape{100000, 20000}; }

template <typename T>
QList<T> column(const db::Database &db, const QString &sql)
{
    QList<T> out;
    for (auto rs = db.openQuery(sql); !rs.eof(); rs.moveNext())
        out << rs.field(0).value<T>();
    return out;
}

std::unique_ptr<db::Store> openMade(Size size)
{
    const QString folder = storeFolder(size);
    if (!db::Store::exists(folder)) {
        std::fprintf(stderr, "Generating the %s store in %s ...\n", sizeLabel(size), qPrintable(folder));
        QElapsedTimer t;
        t.start();
        db::Store::create(folder);
        db::Store fresh(folder);
        storegen::fillLargeStore(fresh.database(), shapeOf(size).items, shapeOf(size).customers, kSeed);
        if (size == Size::Large) {
            // A year of trade: about 500,000 sales of 2 million lines.
            const int sales = storegen::writeSalesHistory(fresh.database(), historyFirstDay(), historyLastDay(),
                                                          kSeed, {280, 380, 7});
            std::fprintf(stderr, "... %d past sales ...\n", sales);
        }
        std::fprintf(stderr, "... done in %.1f s\n", double(t.elapsed()) / 1000.0);
    }
    auto opened = std::make_unique<db::Store>(folder);
    // The tables added since the store was made, as a register adds them.
    db::createAddedTables(opened->database().connection());
    return opened;
}
} // namespace

QDate historyFirstDay() { return QDate(2025, 12, 1); }
QDate historyLastDay() { return QDate(2026, 11, 30); }

QString storeFolder(Size size)
{
    const QString base = qEnvironmentVariableIsSet("VANTA_BENCH_DIR") ? qEnvironmentVariable("VANTA_BENCH_DIR")
                                                                       : QStringLiteral("/tmp/vanta-bench");
    const Shape shape = shapeOf(size);
    return QDir(base).filePath(
        QStringLiteral("large-%1-%2-g%3").arg(shape.items).arg(shape.customers).arg(kGeneration));
}

db::Store &store(Size size)
{
    static std::unique_ptr<db::Store> large, million;
    std::unique_ptr<db::Store> &kept = size == Size::Million ? million : large;
    if (!kept)
        kept = openMade(size);
    return *kept;
}

Size sizeOf(int64_t argument) { return argument == 1 ? Size::Million : Size::Large; }

const char *sizeLabel(Size size) { return size == Size::Million ? "1,000,000 items" : "100,000 items"; }

namespace {
// A field of the process's status in kB ("VmRSS:"), in bytes.
size_t statusBytes(const QByteArray &field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return size_t(line.mid(field.size()).trimmed().split(' ').value(0).toULongLong()) * 1024;
    return 0;
}
} // namespace

size_t residentBytes() { return statusBytes("VmRSS:"); }

size_t peakResidentBytes() { return statusBytes("VmHWM:"); }

QString largeServerStore()
{
    static const QString address = []() -> QString {
        QString target = qEnvironmentVariable("VANTA_BENCH_PG");
        if (target.isEmpty()) {
            test::PgServer *server = test::PgServer::shared();
            if (!server) {
                std::fprintf(stderr, "No PostgreSQL server: %s\n", qPrintable(test::PgServer::whyNot()));
                return QString();
            }
            target = server->newDatabase();
        }
        try {
            db::Store existing(target);
            (void)existing;
            return target; // a store made by an earlier run
        } catch (const VantaError &) {
        }
        std::fprintf(stderr, "Copying the large store to the server ...\n");
        QElapsedTimer t;
        t.start();
        storegen::copyStoreToServer(largeStore(), target);
        std::fprintf(stderr, "... done in %.1f s\n", double(t.elapsed()) / 1000.0);
        return target;
    }();
    return address;
}

const Samples &samples()
{
    static const Samples s = [] {
        const db::Database &db = largeStore().database();
        Samples out;
        // Spread over the whole table: every 97th row of each kind.
        out.plainItems = column<qint32>(
            db, "SELECT \"Item Index\" FROM Items WHERE bulkdiscount = 0 AND \"Item Index\" % 97 = 0");
        out.bulkItems = column<qint32>(
            db, "SELECT DISTINCT \"Item Index\" FROM BulkLevelPricing WHERE \"Item Index\" % 7 = 0");
        out.variants = column<qint32>(db, "SELECT SubItemID FROM Subitems WHERE SubItemID % 13 = 0");
        out.barcodes = column<QString>(
            db, "SELECT \"barcode label\" FROM Items WHERE \"Item Index\" % 89 = 0");
        return out;
    }();
    return s;
}

} // namespace vanta::bench
