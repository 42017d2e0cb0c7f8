#include "customers/CustomerTransactions.h"

#include "db/Store.h"
#include "platform/Currency.h"

#include <QDateTime>

#include <algorithm>

namespace vanta::customers {

namespace {

constexpr qint16 kInvoiceSale = 3;

qint64 openOf(qint64 total, qint64 paid) { return std::max<qint64>(0, total - paid); }

// Whole cents of a single-precision money column.
qint64 centsOf(const QVariant &v) { return toCents(db::asSingle(v)); }

float singleOf(qint64 cents) { return float(double(cents) / 100.0); }

} // namespace

// Reads sales of the query's rows into the page and moves the cursor past them.
void readSales(db::Connection &conn, const QString &where, const QVariantList &params, SalePage &page,
               SaleCursor &at)
{
    db::StatementLease st = conn.prepare(
        QStringLiteral("SELECT s.\"Sales ID\", s.\"date of sale\", p.paytype, s.TypeID, s.\"total of sale\", "
                       "s.\"total paid\", s.rowid AS sale_row FROM Sales s LEFT JOIN PayTypes p ON p.id = s.paytype "
                       "WHERE s.\"cust id\" = ? AND ")
        + where);
    st->bind(params);
    const auto text = [&](int c) { return QString::fromUtf8(st->utf8(c).data(), qsizetype(st->utf8(c).size())); };
    while (st->step()) {
        SaleSummary s;
        s.saleId = qint32(st->real(0));
        s.date = text(1);
        s.payType = text(2);
        s.kind = qint16(st->real(3));
        s.totalCents = toCents(float(st->real(4)));
        s.paidCents = toCents(float(st->real(5)));
        s.openCents = s.kind == kInvoiceSale ? openOf(s.totalCents, s.paidCents) : 0;
        at.date = s.date;
        at.row = qint64(st->real(6));
        page.sales.push_back(std::move(s));
    }
}

SalePage customerSales(db::Store &store, qint32 custId, int limit, const SaleCursor &from)
{
    db::Connection &conn = store.database().connection();
    SalePage page;
    SaleCursor at = from;
    if (!at.undated) {
        if (at.row < 0)
            readSales(conn, QStringLiteral("s.\"date of sale\" IS NOT NULL ORDER BY s.\"date of sale\" DESC, s.rowid DESC "
                                           "LIMIT ?"),
                      {custId, limit}, page, at);
        else
            readSales(conn, QStringLiteral("(s.\"date of sale\", s.rowid) < (?, ?) "
                                           "ORDER BY s.\"date of sale\" DESC, s.rowid DESC LIMIT ?"),
                      {custId, at.date, at.row, limit}, page, at);
        if (int(page.sales.size()) < limit)
            at = SaleCursor{QString(), -1, true};
    }
    if (at.undated && int(page.sales.size()) < limit) {
        const int left = limit - int(page.sales.size());
        if (at.row < 0)
            readSales(conn, QStringLiteral("s.\"date of sale\" IS NULL ORDER BY s.rowid DESC LIMIT ?"), {custId, left},
                      page, at);
        else
            readSales(conn, QStringLiteral("s.\"date of sale\" IS NULL AND s.rowid < ? ORDER BY s.rowid DESC LIMIT ?"),
                      {custId, at.row, left}, page, at);
    }
    if (int(page.sales.size()) == limit)
        page.next = at;
    return page;
}

std::vector<SaleLineSummary> saleLines(db::Store &store, qint32 saleId)
{
    db::Recordset rs = store.database().openQuery(
        QStringLiteral("SELECT i.Name, l.\"qty sold\", l.\"sold price\" FROM \"Sold Items\" l "
                       "LEFT JOIN Items i ON i.\"Item Index\" = l.\"Item Index\" "
                       "WHERE l.\"sales id\" = ? ORDER BY l.\"line item\", l.rowid"),
        {saleId});
    std::vector<SaleLineSummary> lines;
    for (; !rs.eof(); rs.moveNext()) {
        SaleLineSummary l;
        l.item = rs.field(0).toString();
        l.quantity = db::asSingle(rs.field(1));
        l.priceCents = centsOf(rs.field(2));
        l.subtotalCents = toCents(double(db::asSingle(rs.field(1))) * double(db::asSingle(rs.field(2))));
        lines.push_back(l);
    }
    return lines;
}

PaymentResult recordPayment(db::Store &store, qint32 saleId, qint64 cents, qint64 *openCents, qint32 shiftId)
{
    if (openCents)
        *openCents = 0;
    db::Connection &conn = store.database().connection();
    db::Transaction tx(conn);
    db::Recordset sale = store.database().openQuery(
        QStringLiteral("SELECT TypeID, \"total of sale\", \"total paid\", \"cust id\" FROM Sales "
                       "WHERE \"Sales ID\" = ?"),
        {saleId});
    if (sale.eof() || db::asLong(sale.field(0)) != kInvoiceSale)
        return PaymentResult::NothingOpen;
    const qint64 total = centsOf(sale.field(1));
    const qint64 paid = centsOf(sale.field(2));
    const qint32 custId = db::asLong(sale.field(3));
    sale.close();
    const qint64 open = openOf(total, paid);
    if (openCents)
        *openCents = open;
    if (cents <= 0)
        return PaymentResult::NotPositive;
    if (open <= 0)
        return PaymentResult::NothingOpen;
    if (cents > open)
        return PaymentResult::MoreThanOpen;
    const bool settled = cents == open;
    conn.execute(QStringLiteral("UPDATE Sales SET \"total paid\" = ?, paidinfull = ?, Paid = ? "
                                "WHERE \"Sales ID\" = ?"),
                 {singleOf(paid + cents), settled ? 1 : 0,
                  settled ? QStringLiteral("Yes") : QStringLiteral("No"), saleId});
    const qint64 balance = centsOf(conn.scalar(
        QStringLiteral("SELECT balance FROM Customers WHERE \"Cust ID\" = ?"), {custId}));
    conn.execute(QStringLiteral("UPDATE Customers SET balance = ? WHERE \"Cust ID\" = ?"),
                 {singleOf(balance - cents), custId});
    if (conn.tableExists(QStringLiteral("Account Payments")))
        conn.execute(QStringLiteral("INSERT INTO \"Account Payments\" (\"sales id\", \"Shift ID\", amount, \"paid at\") "
                                    "VALUES (?, ?, ?, ?)"),
                     {saleId, shiftId, double(cents) / 100.0, QDateTime::currentDateTime()});
    tx.commit();
    return PaymentResult::Recorded;
}

} // namespace vanta::customers
