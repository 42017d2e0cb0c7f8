// Backing up the large store while a second program (another register)
// posts a sale every 100 ms: how long the backup takes, and that no posting
// fails meanwhile. Reported, not asserted.
#include "BenchStore.h"

#include "backup/StoreBackup.h"
#include "db/UniqueId.h"
#include "diagnostics/VantaError.h"
#include "posting/SalePosting.h"
#include "sale/clsSaleItems.h"
#include "storegen/DemoStore.h"
#include "support/ScriptedPrompt.h"
#include "tax/SaleTax.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <chrono>
#include <cstdio>

using namespace vanta;

namespace bench_poster {

// The second program: posts a three-line sale on the store of `folder`
// every 100 ms until it is killed, printing "posted" or "failed: why" for
// each.
int postSalesEvery100ms(const QString &folder)
{
    try {
        db::Store store(folder);
        QList<qint32> items;
        for (auto rs = store.database().openQuery(
                 "SELECT \"Item Index\" FROM Items WHERE bulkdiscount = 0 AND \"Item Index\" % 97 = 0");
             !rs.eof(); rs.moveNext())
            items << rs.field(0).toInt();
        test::ScriptedPrompt prompt;
        std::printf("ready\n");
        std::fflush(stdout);
        for (int round = 0;; ++round) {
            const auto started = std::chrono::steady_clock::now();
            sale::clsSaleItems lines;
            for (int i = 0; i < 3; ++i) {
                auto line = std::make_shared<sale::clsSaleItem>();
                line->setGood(sale::Good::item(items[(round * 3 + i) % items.size()]));
                line->setPrice(sale::Money::fromDollars(4.5f + float(i)));
                line->setQty(1);
                line->setTaxable(true);
                line->setTaxRuleID(storegen::seed::RuleGeneral);
                lines.AddSaleItem(line);
            }
            posting::PostingRequest request;
            request.saleId = db::NewUniqueID(store);
            request.customerId = storegen::demo::CashSaleCustomer;
            request.payTypeId = 1;
            request.employeeId = 2;
            request.amounts = {1650, 110, 2000, 240, 0};
            request.taxByAgency = tax::ComputeSaleTax(store, lines, request.customerId, 0).agencies;
            if (posting::PostSale(store, lines, request, prompt))
                std::printf("posted\n");
            else
                std::printf("failed: %s\n", qPrintable(prompt.texts().join(QStringLiteral(" / "))));
            std::fflush(stdout);
            QThread::msleep(qMax<qint64>(0, 100 - std::chrono::duration_cast<std::chrono::milliseconds>(
                                                      std::chrono::steady_clock::now() - started)
                                                      .count()));
        }
    } catch (const VantaError &e) {
        std::printf("failed: %s\n", qPrintable(e.description()));
        return 1;
    }
}

} // namespace bench_poster

namespace {

void BM_BackupLargeStoreWhileSelling(benchmark::State &state)
{
    bench::largeStore(); // made once and reused
    QTemporaryDir work;
    const QString folder = QDir(work.path()).filePath(QStringLiteral("store"));
    QDir().mkpath(folder);
    // The sales are posted on a copy, so the large store stays as generated.
    backup::backupStore({bench::largeStoreFolder(), db::Store::defaultKey(), {}},
                        db::Store::databaseFile(folder));
    QProcess poster;
    poster.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--post-sales"), folder});
    if (!poster.waitForReadyRead(60000) || !poster.readLine().startsWith("ready")) {
        state.SkipWithError("the second register did not start");
        return;
    }
    int round = 0;
    for (auto _ : state) {
        const auto started = std::chrono::steady_clock::now();
        backup::backupStore({folder, db::Store::defaultKey(), {}},
                            QDir(work.path()).filePath(QStringLiteral("backup-%1.mdb").arg(round++)));
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
    }
    poster.kill();
    poster.waitForFinished();
    const QByteArray said = poster.readAll();
    state.counters["sales_posted"] = double(said.count("posted\n"));
    state.counters["failed_postings"] = double(said.count("failed"));
    if (said.contains("failed"))
        std::fprintf(stderr, "%s\n", said.constData());
}
BENCHMARK(BM_BackupLargeStoreWhileSelling)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
