#pragma once

#include "dayend/Shift.h"

#include <QJsonObject>
#include <optional>
#include <vector>

namespace vanta::db {
class Store;
}

namespace vanta::dayend {

// A name with how many and how much: a pay type, a cashier, a tax agency.
struct Tally {
    QString name;
    int count = 0;
    qint64 cents = 0;
    bool operator==(const Tally &) const = default;
};

// What a shift took, in whole cents, as its X and Z reports show it.
struct ShiftFigures {
    QString registerName;
    qint32 zNumber = 0; // 0: the shift is still open (an X report)
    QDateTime openedAt;
    QDateTime closedAt; // when the report was made
    QString openedBy;
    bool closedAfterCrash = false;

    int salesCount = 0;
    qint64 gross = 0;     // goods sold at their prices, before discounts
    qint64 discounts = 0; // taken off the goods sold
    qint64 returns = 0;   // goods given back, before tax (a positive amount)
    qint64 net() const { return gross - discounts - returns; }
    std::vector<Tally> taxByAgency; // as posted, refunds taken off
    // The same by jurisdiction, named "agency, jurisdiction" (the agency
    // alone for tax posted without one); none when no tax of the shift was
    // posted in a jurisdiction. They add up to taxByAgency agency by agency.
    std::vector<Tally> taxByJurisdiction;
    qint64 shipping = 0;
    std::vector<Tally> byPayType; // total of sale per pay type
    std::vector<Tally> byCashier;
    Tally invoices;        // invoice sales raised
    Tally accountPayments; // payments received on account
    Tally cancelled;       // sales cancelled (what they came to)
    int noSales = 0;       // drawer openings without a sale
    std::vector<Tally> topItems; // the ten items sold most (count: units)

    qint64 floatCents = 0;
    qint64 cashSales = 0;   // cash taken on sales
    qint64 cashRefunds = 0; // cash paid back (a positive amount)
    qint64 paidIn = 0;
    qint64 paidOut = 0;
    qint64 expectedCash() const { return floatCents + cashSales - cashRefunds + paidIn - paidOut; }
    std::optional<qint64> countedCash; // none until the drawer is counted
    // Counted less expected: above 0 over, below 0 short.
    qint64 overShort() const { return countedCash ? *countedCash - expectedCash() : 0; }

    qint64 taxTotal() const;

    // As the Z report keeps them, and back.
    QJsonObject toJson() const;
    static ShiftFigures fromJson(const QJsonObject &json);
};

// The figures of a shift from the rows stored in it, as of now.
ShiftFigures readShiftFigures(db::Store &store, const Shift &shift);

} // namespace vanta::dayend
