#include "storegen/SalesHistory.h"

#include "db/RowWriter.h"

#include <QDateTime>
#include <cmath>
#include <random>
#include <vector>

namespace vanta::storegen {

namespace {

using db::RowWriter;

struct Good {
    qint32 item;
    qint64 priceCents;
    bool taxable;
};

// The demo's rates by agency, in hundredths of a percent.
const std::pair<const char *, int> kRates[] = {
    {"Illinois Department of Revenue", 625}, {"Sangamon County Treasurer", 50}, {"City of Springfield", 100}};

qint64 percentOf(qint64 cents, int hundredths) { return qint64(std::llround(double(cents) * hundredths / 10000.0)); }
double dollars(qint64 cents) { return double(cents) / 100.0; }

struct Sold {
    qint32 saleId, soldId, item, payType;
    qint64 priceCents;
    bool taxable;
};

class HistoryWriter {
public:
    explicit HistoryWriter(db::Connection &conn)
        : mSales(conn, QStringLiteral("Sales"),
                 {"Sales ID", "total of sale", "Tax", "total paid", "date of sale", "cust id", "paytype",
                  "amount tendered", "Change", "Shipping", "tax percent", "sold by", "TypeID", "paidinfull", "Paid"}),
          mLines(conn, QStringLiteral("Sold Items"),
                 {"Sold ID", "sales id", "line item", "Item Index", "subitemsid", "sold price", "qty sold", "taxed",
                  "other costs"}),
          mPaid(conn, QStringLiteral("Sold Line Paid"), {"Sold ID", "sales id", "subtotal", "discount"}),
          mTax(conn, QStringLiteral("Tax Holder"), {"Sale ID", "Tax agency", "total"}),
          mReturned(conn, QStringLiteral("Returned Items"),
                    {"Returned ID", "sales id", "original sales id", "Sold ID", "qty"}),
          mSaleId(qint32(conn.scalar(QStringLiteral("SELECT coalesce(max(\"Sales ID\"), 0) FROM Sales")).toLongLong()) + 1000),
          mSoldId(qint32(conn.scalar(QStringLiteral("SELECT coalesce(max(\"Sold ID\"), 0) FROM \"Sold Items\"")).toLongLong())
                  + 1000)
    {
    }

    // A sale of the lines (good, quantity); answers the sold lines.
    std::vector<Sold> sell(const std::vector<std::pair<Good, int>> &lines, qint32 payType, qint32 cashier,
                           const QDateTime &at)
    {
        const qint32 saleId = mSaleId++;
        qint64 subtotal = 0, taxable = 0;
        std::vector<Sold> sold;
        int position = 0;
        for (const auto &[good, qty] : lines) {
            const qint64 amount = good.priceCents * qty;
            const qint32 soldId = mSoldId++;
            mLines.add({soldId, saleId, ++position, good.item, 0, dollars(good.priceCents), qty, good.taxable, 0.0});
            mPaid.add({soldId, saleId, dollars(amount), 0.0});
            subtotal += amount;
            if (good.taxable)
                taxable += amount;
            sold.push_back({saleId, soldId, good.item, payType, good.priceCents, good.taxable});
        }
        const qint64 tax = writeTax(saleId, taxable);
        writeSale(saleId, subtotal, tax, payType, cashier, at);
        return sold;
    }

    // One unit of a sold line given back and refunded the way it was paid.
    void giveBack(const Sold &line, qint32 cashier, const QDateTime &at)
    {
        const qint32 saleId = mSaleId++;
        const qint32 soldId = mSoldId++;
        mLines.add({soldId, saleId, 1, line.item, 0, dollars(line.priceCents), -1, line.taxable, 0.0});
        mPaid.add({soldId, saleId, dollars(-line.priceCents), 0.0});
        mReturned.add({mReturnedId++, saleId, line.saleId, line.soldId, 1});
        const qint64 tax = writeTax(saleId, line.taxable ? -line.priceCents : 0);
        writeSale(saleId, -line.priceCents, tax, line.payType, cashier, at);
    }

    int sales() const { return mSales.rowsWritten(); }

private:
    qint64 writeTax(qint32 saleId, qint64 taxable)
    {
        qint64 tax = 0;
        for (const auto &[agency, rate] : kRates) {
            const qint64 share = percentOf(taxable, rate);
            if (share != 0)
                mTax.add({saleId, agency, dollars(share)});
            tax += share;
        }
        return tax;
    }
    void writeSale(qint32 saleId, qint64 subtotal, qint64 tax, qint32 payType, qint32 cashier, const QDateTime &at)
    {
        const qint64 total = subtotal + tax;
        // Cash is handed over in whole dollars; the change comes back.
        const qint64 tendered = payType == 1 && total > 0 ? (total + 99) / 100 * 100 : total;
        const double percent = subtotal == 0 ? 0 : std::round(double(tax) / double(subtotal) * 1000.0) / 10.0;
        mSales.add({saleId, dollars(total), dollars(tax), dollars(total), at, 1, payType, dollars(tendered),
                    dollars(tendered - total), 0.0, percent, cashier, 0, true, QStringLiteral("Yes")});
    }

    RowWriter mSales, mLines, mPaid, mTax, mReturned;
    qint32 mSaleId, mSoldId, mReturnedId = 1;
};

} // namespace

int writeSalesHistory(const db::Database &db, const QDate &first, const QDate &last, quint32 seed,
                      const HistoryPace &pace)
{
    db::Connection &conn = db.connection();
    db::Transaction tx(conn);
    std::vector<Good> goods;
    {
        db::Recordset rs = db.openQuery(QStringLiteral("SELECT \"Item Index\", \"LIST PRICE\", Taxable FROM Items "
                                                       "WHERE Hidden = 0 AND \"LIST PRICE\" > 0 ORDER BY \"Item Index\""));
        for (; !rs.eof(); rs.moveNext())
            goods.push_back({db::asLong(rs.field(0)), qint64(std::llround(db::asDouble(rs.field(1)) * 100.0)),
                             db::asLong(rs.field(2)) != 0});
    }
    if (goods.empty())
        return 0;
    HistoryWriter writer(conn);
    std::mt19937 rng(seed);
    const auto pick = [&rng](int n) { return int(std::uniform_int_distribution<int>(0, n - 1)(rng)); };
    std::vector<Sold> returnable;
    for (QDate day = first; day <= last; day = day.addDays(1)) {
        const int busy = day.dayOfWeek() >= 6 ? pace.weekend : pace.weekday;
        for (int hour = 9; hour < 18; ++hour) {
            for (int n = pick(busy) + 1; n > 0; --n) {
                const QDateTime at(day, QTime(hour, pick(60), pick(60)));
                const qint32 cashier = 1 + pick(2);
                if (pick(40) == 0 && !returnable.empty()) {
                    const size_t i = size_t(pick(int(returnable.size())));
                    writer.giveBack(returnable[i], cashier, at);
                    // One unit back per line at most.
                    returnable[i] = returnable.back();
                    returnable.pop_back();
                    continue;
                }
                std::vector<std::pair<Good, int>> lines;
                for (int l = pick(pace.maxLines) + 1; l > 0; --l)
                    lines.push_back({goods[size_t(pick(int(goods.size())))], 1 + pick(3)});
                const std::vector<Sold> sold = writer.sell(lines, 1 + pick(3), cashier, at);
                returnable.push_back(sold.front());
            }
        }
    }
    tx.commit();
    return writer.sales();
}

} // namespace vanta::storegen
