#pragma once

#include "dayend/ShiftFigures.h"

#include <QDate>
#include <QStringList>
#include <vector>

namespace vanta::db {
class Store;
}

namespace vanta::dayend {

// What the store view shows: the sales (what customers paid, tax and
// shipping included, returns below 0) of one day by hour, of the day's
// month by day, by category (the lines' amounts after discounts) and by pay
// type; of every register together, or of one register's shifts.
enum class StoreView { ByHour, ByDay, ByCategory, ByPayType };

struct StoreQuery {
    StoreView view = StoreView::ByHour;
    QDate day;            // by hour: this day; the others: its month
    QString registerName; // empty: every register
};

// One tally per hour of the day (names "08:00") or day of the month ("Dec
// 8"), all of them, in order; by category and pay type, those with sales,
// by name. By category the count is of lines, otherwise of sales.
std::vector<Tally> readStoreFigures(db::Store &store, const StoreQuery &query);

// The registers that have kept shifts in the store, by name.
QStringList shiftRegisters(db::Store &store);

// The tallies as CSV: a heading line, then name, count and amount (in
// dollars with two decimals) per line; names quoted where they need it.
QString tallyCsv(const QString &nameHeading, const QString &countHeading, const std::vector<Tally> &tallies);

} // namespace vanta::dayend
