#pragma once

#include "db/Database.h"

#include <QDate>

namespace vanta::storegen {

// How busy the store was: in each opening hour 1 to `weekday` sales (1 to
// `weekend` on Saturdays and Sundays), each of 1 to `maxLines` lines.
struct HistoryPace {
    int weekday = 3;
    int weekend = 5;
    int maxLines = 3;
};

// Past sales for a demo or large store, so that the store's figures show
// something from the first start: on every day of the span, sales in each
// hour from 9:00 to 18:00 at the pace given (cash, check or card, by the demo cashiers,
// of the store's visible priced items, taxed at the demo rates), and now and
// then a unit of an earlier sale returned and refunded. The rows are those a
// posting writes (`Sales`, `Sold Items`, `Sold Line Paid`, `Tax Holder`,
// `Returned Items`); stock is left as it is, as if restocked since. Sales
// numbers start above any in the store. One transaction; the same seed
// gives the same sales. Answers the number of sales written.
int writeSalesHistory(const db::Database &db, const QDate &first, const QDate &last, quint32 seed,
                      const HistoryPace &pace = {});

} // namespace vanta::storegen
