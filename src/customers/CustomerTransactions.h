#pragma once

#include <QString>
#include <optional>
#include <vector>

namespace vanta::db {
class Store;
}

namespace vanta::customers {

// One sale of a customer as the transaction list shows it. Amounts in whole
// cents; `openCents` is what is still owed on it (never below 0).
struct SaleSummary {
    qint32 saleId = 0;
    QString date;    // as stored (ISO text)
    QString payType; // the pay type's name, empty when unknown
    qint16 kind = 0; // 0 ordinary sale, 3 invoice sale
    qint64 totalCents = 0;
    qint64 paidCents = 0;
    qint64 openCents = 0;
};

// One line of a sale.
struct SaleLineSummary {
    QString item;
    double quantity = 0;
    qint64 priceCents = 0;
    qint64 subtotalCents = 0;
};

// Where the next page of a customer's sales starts: after the sale listed
// last (its date as stored and its row). Sales without a date come after
// all others.
struct SaleCursor {
    QString date;
    qint64 row = -1; // -1: from the first sale of its part
    bool undated = false;
};

// A page of a customer's sales and where the next one starts (none: the
// last sale is in).
struct SalePage {
    std::vector<SaleSummary> sales;
    std::optional<SaleCursor> next;
};

// Up to `limit` of the customer's sales, newest first, from `from` on. Each
// page is read through the index on customer and date, so the newest sales
// of a customer with half a million of them show as quickly as any.
SalePage customerSales(db::Store &store, qint32 custId, int limit, const SaleCursor &from = {});

// The lines of a sale in their order on the sale.
std::vector<SaleLineSummary> saleLines(db::Store &store, qint32 saleId);

enum class PaymentResult {
    Recorded,
    NotPositive,  // zero or negative
    MoreThanOpen, // more than is still owed on the sale
    NothingOpen   // not an invoice sale, or nothing owed on it
};

// Records a payment of `cents` against an open invoice sale: the sale's
// `total paid` rises (and it is marked paid in full when nothing is left)
// and the customer's `balance` falls by the same amount, in one write
// transaction. The open amount is read again inside that transaction, so a
// payment never exceeds it. `openCents` receives what was open before. The
// payment is kept in `Account Payments` with the register's shift it was
// taken in (0: none), for the shift's reports.
PaymentResult recordPayment(db::Store &store, qint32 saleId, qint64 cents, qint64 *openCents = nullptr,
                            qint32 shiftId = 0);

} // namespace vanta::customers
