// End of day on the large store with a year of sales: the X report (read
// from the rows and laid out as the preview shows it), the Z report (the
// shift closed, its figures kept) and the store view's charts.
#include "BenchStore.h"

#include "dayend/ShiftBook.h"
#include "dayend/ShiftReport.h"
#include "dayend/StoreFigures.h"
#include "db/Store.h"
#include "posting/ReportEngine.h"

#include <QDir>
#include <benchmark/benchmark.h>

namespace vanta::bench {
namespace {

const QString kRegister = QStringLiteral("Bench");
// A Friday near the end of the history: about a thousand sales.
QDate shiftDay() { return historyLastDay().addDays(-3); }

QString layoutPath() { return QDir(posting::reportsFolder()).filePath(QStringLiteral("shiftreport.rpt")); }

// The bench register's open shift (opened when there is none) holding every
// sale of the shift day, whichever shift of the register held them before.
dayend::Shift dayShift(dayend::ShiftBook &book)
{
    db::Store &store = largeStore();
    std::optional<dayend::Shift> shift = book.current();
    if (!shift)
        shift = book.open(1, 20000);
    db::Connection &conn = store.database().connection();
    const QVariantList day{shiftDay().toString(Qt::ISODate), shiftDay().addDays(1).toString(Qt::ISODate)};
    conn.execute(QStringLiteral("UPDATE \"Shift Sales\" SET \"Shift ID\" = ? WHERE \"Shift ID\" IN "
                                "(SELECT \"Shift ID\" FROM Shifts WHERE Register = ?)"),
                 {shift->id, kRegister});
    conn.execute(QStringLiteral("INSERT INTO \"Shift Sales\" (\"sales id\", \"Shift ID\") SELECT \"Sales ID\", ? "
                                "FROM Sales WHERE \"date of sale\" >= ? AND \"date of sale\" < ? AND \"Sales ID\" "
                                "NOT IN (SELECT \"sales id\" FROM \"Shift Sales\")"),
                 {shift->id, day[0], day[1]});
    return *shift;
}

void BM_XReport(benchmark::State &state)
{
    dayend::ShiftBook book(largeStore(), kRegister);
    const dayend::Shift shift = dayShift(book);
    for (auto _ : state) {
        const dayend::ShiftFigures f = dayend::readShiftFigures(largeStore(), shift);
        benchmark::DoNotOptimize(dayend::shiftReportDocument(f, false, layoutPath()));
        state.counters["sales"] = double(f.salesCount);
    }
}
BENCHMARK(BM_XReport)->Unit(benchmark::kMillisecond);

void BM_ZReport(benchmark::State &state)
{
    dayend::ShiftBook book(largeStore(), kRegister);
    for (auto _ : state) {
        state.PauseTiming();
        const dayend::Shift shift = dayShift(book);
        state.ResumeTiming();
        const dayend::ShiftFigures z = book.close(shift, 20000, 1, false);
        benchmark::DoNotOptimize(dayend::shiftReportDocument(z, false, layoutPath()));
    }
}
BENCHMARK(BM_ZReport)->Unit(benchmark::kMillisecond);

// The month of the shift day by day, by category and by pay type, every
// register together; the day by hour.
void BM_StoreView(benchmark::State &state)
{
    const auto view = dayend::StoreView(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(dayend::readStoreFigures(largeStore(), {view, shiftDay(), QString()}));
}
BENCHMARK(BM_StoreView)
    ->ArgName("view")
    ->Arg(int(dayend::StoreView::ByHour))
    ->Arg(int(dayend::StoreView::ByDay))
    ->Arg(int(dayend::StoreView::ByCategory))
    ->Arg(int(dayend::StoreView::ByPayType))
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace vanta::bench
