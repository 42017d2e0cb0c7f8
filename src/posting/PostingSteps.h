#pragma once

#include "db/Database.h"
#include "posting/SalePosting.h"
#include "tax/TaxByLine.h"

#include <QDateTime>

namespace vanta::db {
class Store;
}

namespace vanta::posting {

// What every step of one posting works with. `ws` is the workspace's
// connection, which holds the transaction; every write goes through it.
struct PostingContext {
    db::Store &store;
    const db::Database &ws;
    const sale::clsSaleItems &items;
    const PostingRequest &request;
    platform::Prompt &prompt;
    const IdSource &newId;
    QDateTime now;
    // The tax charged, line by line (in the lines' order).
    const tax::TaxByLine &taxByLine;
    // The displayed amounts as single-precision numbers.
    float total = 0, tax = 0, tendered = 0, change = 0, shipping = 0;
    // The `Sold ID` of each line written, in the lines' order.
    std::vector<qint32> soldIds{};
};

// The steps of a posting, in order; each answers true when it failed.
bool WriteSaleRow(PostingContext &ctx);
bool DecrementStock(PostingContext &ctx);
bool WriteSoldLines(PostingContext &ctx);
bool RecordSaleTax(PostingContext &ctx);
bool RaiseCustomerBalance(PostingContext &ctx);
bool RecordWhatLinesPaid(PostingContext &ctx);
bool RecordReturns(PostingContext &ctx);
bool RecordApproval(PostingContext &ctx);
bool RecordShiftSale(PostingContext &ctx);

// A table of the workspace with an index selected.
db::Recordset indexedTable(const db::Database &db, const QString &table, const QString &index);

// Sales-tax share of a sale: tax / (total - tax) x 100 rounded to one
// decimal, 0 when total equals tax.
double TaxPercent(float total, float tax);

} // namespace vanta::posting
