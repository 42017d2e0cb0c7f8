#include "BenchStore.h"

#include "db/Schema.h"
#include "diagnostics/VantaError.h"
#include "storegen/DemoStore.h"
#include "storegen/SalesHistory.h"
#include "storegen/StoreCopy.h"
#include "support/PgServer.h"

#include <QDir>
#include <QElapsedTimer>
#include <cstdio>

namespace vanta::bench {

namespace {
constexpr int kItems = 100000;
constexpr int kCustomers = 20000;
constexpr quint32 kSeed = 4093;
// Raised whenever the generator changes, so that a store made by an older
// generator is not reused.
constexpr int kGeneration = 3;

template <typename T>
QList<T> column(const db::Database &db, const QString &sql)
{
    QList<T> out;
    for (auto rs = db.openQuery(sql); !rs.eof(); rs.moveNext())
        out << rs.field(0).value<T>();
    return out;
}
} // namespace

QDate historyFirstDay() { return QDate(2025, 12, 1); }
QDate historyLastDay() { return QDate(2026, 11, 30); }

QString largeStoreFolder()
{
    const QString base = qEnvironmentVariableIsSet("VANTA_BENCH_DIR") ? qEnvironmentVariable("VANTA_BENCH_DIR")
                                                                       : QStringLiteral("/tmp/vanta-bench");
    return QDir(base).filePath(QStringLiteral("large-%1-%2-g%3").arg(kItems).arg(kCustomers).arg(kGeneration));
}

db::Store &largeStore()
{
    static std::unique_ptr<db::Store> store = [] {
        const QString folder = largeStoreFolder();
        if (!db::Store::exists(folder)) {
            std::fprintf(stderr, "Generating the large store in %s ...\n", qPrintable(folder));
            QElapsedTimer t;
            t.start();
            db::Store::create(folder);
            db::Store fresh(folder);
            storegen::fillLargeStore(fresh.database(), kItems, kCustomers, kSeed);
            // A year of trade: about 500,000 sales of 2 million lines.
            const int sales = storegen::writeSalesHistory(fresh.database(), historyFirstDay(), historyLastDay(), kSeed,
                                                          {280, 380, 7});
            std::fprintf(stderr, "... %d past sales ...\n", sales);
            std::fprintf(stderr, "... done in %.1f s\n", double(t.elapsed()) / 1000.0);
        }
        auto opened = std::make_unique<db::Store>(folder);
        // The tables added since the store was made, as a register adds them.
        db::createAddedTables(opened->database().connection());
        return opened;
    }();
    return *store;
}

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
