// Posting a 20-line sale on the large store, beside the same rows written in
// one bare SQLite transaction on the same file: what the record layer and
// the posting's lookups cost on top of the writes themselves.
#include "BenchStore.h"

#include "db/UniqueId.h"
#include "diagnostics/Trace.h"
#include "posting/SalePosting.h"
#include "tax/SaleTax.h"
#include "sale/clsSaleItems.h"
#include "storegen/DemoStore.h"
#include "support/ScriptedPrompt.h"

#include <benchmark/benchmark.h>
#include <sqlcipher/sqlite3.h>

#include <QDateTime>
#include <algorithm>
#include <chrono>
#include <map>
#include <set>
#include <stdexcept>

using namespace vanta;

namespace {

constexpr int kLines = 20;
using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::nth_element(v.begin(), v.begin() + qsizetype(v.size() / 2), v.end());
    return v[v.size() / 2];
}

struct BenchLine {
    qint32 item;
    float price;
    float qty;
    qint32 rule;
};

// Twenty plain items, a different stretch of the store each round.
std::vector<BenchLine> linesForRound(int round)
{
    const auto &ids = bench::samples().plainItems;
    std::vector<BenchLine> lines;
    for (int i = 0; i < kLines; ++i) {
        const qint32 item = ids[qsizetype((round * kLines + i) % ids.size())];
        lines.push_back({item, 2.5f + float(i), float(1 + i % 3), storegen::seed::RuleGeneral});
    }
    return lines;
}

sale::clsSaleItems saleOf(const std::vector<BenchLine> &lines)
{
    sale::clsSaleItems items;
    for (const BenchLine &l : lines) {
        auto line = std::make_shared<sale::clsSaleItem>();
        line->setGood(sale::Good::item(l.item));
        line->setPrice(sale::Money::fromDollars(l.price));
        line->setQty(l.qty);
        line->setTaxable(true);
        line->setTaxRuleID(l.rule);
        items.AddSaleItem(line);
    }
    return items;
}

// The same rows straight through the SQLite C API: one connection opened
// like the store's (key, WAL, synchronous FULL, same cache), statements
// prepared once.
class BareWriter {
public:
    explicit BareWriter(const QString &path)
    {
        check(sqlite3_open_v2(path.toUtf8().constData(), &mDb, SQLITE_OPEN_READWRITE, nullptr));
        check(sqlite3_key(mDb, "4093", 4));
        exec("SELECT count(*) FROM sqlite_master");
        sqlite3_busy_timeout(mDb, 3000);
        exec("PRAGMA cache_size = -65536");
        exec("PRAGMA journal_mode = WAL");
        exec("PRAGMA synchronous = FULL");
        mSale = prepare("INSERT INTO \"Sales\" (\"Sales ID\", \"total of sale\", \"Tax\", \"total paid\", "
                        "\"date of sale\", \"cust id\", \"paytype\", \"amount tendered\", \"Change\", \"Shipping\", "
                        "\"tax percent\", \"sold by\", \"TypeID\", \"billingaddressline1\", \"billingaddressline2\", "
                        "\"billingaddressline3\", \"billingaddressline4\", \"billingaddressline5\", "
                        "\"paidinfull\", \"purchaseordernumber\", \"terms\", \"ShippingMethod\", "
                        "\"Shippingaddressline1\", \"Shippingaddressline2\", \"Shippingaddressline3\", "
                        "\"Shippingaddressline4\", \"Shippingaddressline5\", \"Memo\", \"MemotoCustomer\", "
                        "\"Paid\", \"due date\", \"SalesRepresentative\", \"approvalcode\", \"transactionid\") "
                        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                        "?, ?, ?, ?, ?, ?, ?)");
        mStock = prepare("UPDATE \"Items\" SET \"qty\" = \"qty\" - ?, \"total qty sold\" = \"total qty sold\" + ? "
                         "WHERE \"Item Index\" = ?");
        mSold = prepare("INSERT INTO \"Sold Items\" (\"Sold ID\", \"sales id\", \"line item\", \"Item Index\", "
                        "\"Option1\", \"Option2\", \"Option3\", \"sold price\", \"qty sold\", \"taxed\", "
                        "\"other costs\") VALUES (?, ?, ?, ?, 0, 0, 0, ?, ?, 1, ?)");
        mTax = prepare("INSERT INTO \"Tax Holder\" (\"Sale ID\", \"Tax agency\", \"total\") VALUES (?, ?, ?)");
        mPaid = prepare("INSERT INTO \"Sold Line Paid\" (\"Sold ID\", \"sales id\", \"subtotal\", \"discount\") "
                        "VALUES (?, ?, ?, 0)");
        mLineTax = prepare("INSERT INTO \"Sold Line Tax\" (\"Sold ID\", \"sales id\", \"Tax agency\", \"total\") "
                           "VALUES (?, ?, ?, ?)");
    }
    ~BareWriter()
    {
        for (sqlite3_stmt *s : {mSale, mStock, mSold, mTax, mPaid, mLineTax})
            sqlite3_finalize(s);
        sqlite3_close(mDb);
    }

    // `lineTaxRows`: the lines' tax rows the posting wrote, given to the
    // lines in turn.
    void write(qint32 saleId, const std::vector<qint32> &soldIds, const std::vector<BenchLine> &lines,
               const std::vector<std::pair<QByteArray, double>> &taxRows,
               const std::vector<std::pair<QByteArray, double>> &lineTaxRows)
    {
        exec("BEGIN IMMEDIATE");
        const QByteArray now = QDateTime::currentDateTime().toString(Qt::ISODate).toUtf8();
        int i = 1;
        sqlite3_bind_int(mSale, i++, saleId);
        for (double v : {123.45, 8.5, 130.0})
            sqlite3_bind_double(mSale, i++, v);
        sqlite3_bind_text(mSale, i++, now.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(mSale, i++, 1);
        sqlite3_bind_int(mSale, i++, 1);
        for (double v : {130.0, 6.55, 0.0, 7.4})
            sqlite3_bind_double(mSale, i++, v);
        sqlite3_bind_int(mSale, i++, 2);
        sqlite3_bind_int(mSale, i++, 0);
        for (const char *t : {"CASH SALE", "", "", "", " "})
            sqlite3_bind_text(mSale, i++, t, -1, SQLITE_STATIC);
        sqlite3_bind_int(mSale, i++, 1);
        for (const char *t : {"None", "None", "None"})
            sqlite3_bind_text(mSale, i++, t, -1, SQLITE_STATIC);
        for (int n = 0; n < 5; ++n)
            sqlite3_bind_null(mSale, i++);
        for (const char *t : {"", "None", "Yes"})
            sqlite3_bind_text(mSale, i++, t, -1, SQLITE_STATIC);
        sqlite3_bind_text(mSale, i++, now.constData(), -1, SQLITE_TRANSIENT);
        for (const char *t : {"2", "None", "None"})
            sqlite3_bind_text(mSale, i++, t, -1, SQLITE_STATIC);
        step(mSale);
        for (size_t n = 0; n < lines.size(); ++n) {
            const BenchLine &l = lines[n];
            sqlite3_bind_double(mStock, 1, l.qty);
            sqlite3_bind_double(mStock, 2, l.qty);
            sqlite3_bind_int(mStock, 3, l.item);
            step(mStock);
            sqlite3_bind_int(mSold, 1, soldIds[n]);
            sqlite3_bind_int(mSold, 2, saleId);
            sqlite3_bind_int(mSold, 3, int(n + 1));
            sqlite3_bind_int(mSold, 4, l.item);
            sqlite3_bind_double(mSold, 5, l.price);
            sqlite3_bind_double(mSold, 6, l.qty);
            sqlite3_bind_double(mSold, 7, 1.25);
            step(mSold);
            sqlite3_bind_int(mPaid, 1, soldIds[n]);
            sqlite3_bind_int(mPaid, 2, saleId);
            sqlite3_bind_double(mPaid, 3, double(l.price) * double(l.qty));
            step(mPaid);
        }
        for (size_t n = 0; n < lineTaxRows.size(); ++n) {
            const auto &[agency, total] = lineTaxRows[n];
            sqlite3_bind_int(mLineTax, 1, soldIds[n % soldIds.size()]);
            sqlite3_bind_int(mLineTax, 2, saleId);
            sqlite3_bind_text(mLineTax, 3, agency.constData(), int(agency.size()), SQLITE_TRANSIENT);
            sqlite3_bind_double(mLineTax, 4, total);
            step(mLineTax);
        }
        for (const auto &[agency, total] : taxRows) {
            sqlite3_bind_int(mTax, 1, saleId);
            sqlite3_bind_text(mTax, 2, agency.constData(), int(agency.size()), SQLITE_TRANSIENT);
            sqlite3_bind_double(mTax, 3, total);
            step(mTax);
        }
        exec("COMMIT");
    }

private:
    void check(int rc)
    {
        if (rc != SQLITE_OK && rc != SQLITE_ROW && rc != SQLITE_DONE)
            throw std::runtime_error(mDb ? sqlite3_errmsg(mDb) : "sqlite error");
    }
    void exec(const char *sql) { check(sqlite3_exec(mDb, sql, nullptr, nullptr, nullptr)); }
    sqlite3_stmt *prepare(const char *sql)
    {
        sqlite3_stmt *s = nullptr;
        check(sqlite3_prepare_v2(mDb, sql, -1, &s, nullptr));
        return s;
    }
    void step(sqlite3_stmt *s)
    {
        const int rc = sqlite3_step(s);
        sqlite3_reset(s);
        sqlite3_clear_bindings(s);
        check(rc);
    }

    sqlite3 *mDb = nullptr;
    sqlite3_stmt *mSale = nullptr, *mStock = nullptr, *mSold = nullptr, *mTax = nullptr, *mPaid = nullptr,
                 *mLineTax = nullptr;
};

// Ids free in the store and distinct from one another.
std::vector<qint32> freshIds(db::Store &store, int n, std::set<qint32> &taken)
{
    std::vector<qint32> ids;
    while (int(ids.size()) < n) {
        const qint32 id = db::NewUniqueID(store);
        if (taken.insert(id).second)
            ids.push_back(id);
    }
    return ids;
}

// Takes out every row the benchmark added and gives the stock back, so
// later runs find the store as generated.
void restore(db::Store &store, const std::vector<qint32> &saleIds, const std::map<qint32, double> &sold)
{
    const db::Database &db = store.database();
    db::Transaction tx(db.connection());
    for (qint32 id : saleIds) {
        db.execute("DELETE FROM \"Sales\" WHERE \"Sales ID\" = ?", {id});
        db.execute("DELETE FROM \"Sold Items\" WHERE \"sales id\" = ?", {id});
        db.execute("DELETE FROM \"Tax Holder\" WHERE \"Sale ID\" = ?", {id});
        db.execute("DELETE FROM \"Sold Line Paid\" WHERE \"sales id\" = ?", {id});
        db.execute("DELETE FROM \"Sold Line Tax\" WHERE \"sales id\" = ?", {id});
    }
    for (const auto &[item, qty] : sold)
        db.execute("UPDATE \"Items\" SET \"qty\" = \"qty\" + ?, \"total qty sold\" = \"total qty sold\" - ? "
                   "WHERE \"Item Index\" = ?",
                   {qty, qty, item});
    tx.commit();
}

// The tax rows the posting recorded for a sale, of the sale or of its lines.
std::vector<std::pair<QByteArray, double>> taxRowsOf(db::Store &store, const char *table, qint32 saleId)
{
    std::vector<std::pair<QByteArray, double>> rows;
    for (auto rs = store.database().openQuery(QStringLiteral("SELECT \"Tax agency\", total FROM \"%1\" WHERE %2 = ?")
                                                  .arg(table, table == std::string("Tax Holder")
                                                                  ? QStringLiteral("\"Sale ID\"")
                                                                  : QStringLiteral("\"sales id\"")),
                                              {saleId});
         !rs.eof(); rs.moveNext())
        rows.emplace_back(rs.text("Tax agency").toUtf8(), rs.field("total").toDouble());
    return rows;
}

void BM_PostSaleVsBareTransaction(benchmark::State &state)
{
    db::Store &store = bench::largeStore();
    diag::Trace::instance().reset();
    test::ScriptedPrompt prompt;
    BareWriter bare(store.filePath());
    std::set<qint32> taken;
    std::vector<qint32> saleIds;
    std::map<qint32, double> sold;
    std::vector<std::pair<QByteArray, double>> taxRows, lineTaxRows;
    std::vector<double> postingMs, bareMs;
    int round = 0;

    // Posts one sale; the time it took, or a negative value on failure.
    const auto post = [&](const std::vector<BenchLine> &lines) {
        const sale::clsSaleItems items = saleOf(lines);
        posting::PostingRequest request;
        request.saleId = freshIds(store, 1, taken).front();
        request.customerId = storegen::demo::CashSaleCustomer;
        request.payTypeId = 1;
        request.employeeId = 2;
        request.amounts = {12345, 850, 13000, 655, 0};
        request.taxByAgency = tax::ComputeSaleTax(store, items, request.customerId, 0).agencies;
        saleIds.push_back(request.saleId);
        const auto start = Clock::now();
        const bool posted = posting::PostSale(store, items, request, prompt);
        const double ms = msSince(start);
        taxRows = taxRowsOf(store, "Tax Holder", request.saleId);
        lineTaxRows = taxRowsOf(store, "Sold Line Tax", request.saleId);
        for (const BenchLine &l : lines)
            sold[l.item] += double(l.qty);
        return posted ? ms : -1.0;
    };
    // The same rows, with the tax rows of the latest posting.
    const auto writeBare = [&](const std::vector<BenchLine> &lines) {
        const std::vector<qint32> ids = freshIds(store, kLines + 1, taken);
        const std::vector<qint32> soldIds(ids.begin() + 1, ids.end());
        saleIds.push_back(ids.front());
        const auto start = Clock::now();
        bare.write(ids.front(), soldIds, lines, taxRows, lineTaxRows);
        const double ms = msSince(start);
        for (const BenchLine &l : lines)
            sold[l.item] += double(l.qty);
        return ms;
    };

    if (post(linesForRound(round++)) < 0) // warms both connections up, untimed
        state.SkipWithError("posting failed");
    for (auto _ : state) {
        const std::vector<BenchLine> lines = linesForRound(round++);
        // Alternate which goes first, so neither always follows the other's commit.
        const double bareFirst = round % 2 ? writeBare(lines) : 0.0;
        const double postMs = post(lines);
        const double bareAfter = round % 2 ? 0.0 : writeBare(lines);
        if (postMs < 0) {
            state.SkipWithError("posting failed");
            break;
        }
        postingMs.push_back(postMs);
        bareMs.push_back(bareFirst + bareAfter);
        state.SetIterationTime(postMs / 1000.0);
    }

    // Medians: a WAL checkpoint now and then lands on either side's commit.
    const double posting = median(postingMs), bareTime = median(bareMs);
    state.counters["posting_ms"] = posting;
    state.counters["bare_ms"] = bareTime;
    state.counters["ratio"] = bareTime > 0 ? posting / bareTime : 0.0;
    restore(store, saleIds, sold);
}
BENCHMARK(BM_PostSaleVsBareTransaction)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
