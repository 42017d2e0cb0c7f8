#pragma once

#include "diagnostics/VantaError.h"
#include "sale/Good.h"
#include "sale/Money.h"
#include "sale/SaleTaxAmounts.h"

#include <QDateTime>
#include <QString>
#include <optional>
#include <vector>

namespace vanta::db {
class Store;
}

namespace vanta::sale {

// A sale that cannot be returned (it does not exist, nothing of it is left
// to return); the description says why in the cashier's words.
class ReturnRefused : public VantaError {
public:
    static constexpr int Number = 32001;
    explicit ReturnRefused(const QString &description)
        : VantaError(Number, description, QStringLiteral("Returns")) {}
};

// What a sold line was paid: as the store kept it when the sale was posted,
// or, for a sale posted before the store kept it, worked out from the sale:
// the sold price times the quantity, and the sale's tax by agency shared
// among its taxed lines and its shipping by their amounts.
struct LinePaid {
    Money subtotal; // after the line's discount
    double discount = 0;
    std::vector<AgencyTax> tax; // its share of the sale's tax, by agency
    bool kept = true;           // false: worked out from the sale
};

// A line of a stored sale as a return sees it.
struct SoldLine {
    qint32 soldId = 0; // `Sold Items`.`Sold ID`
    qint16 lineItem = 0;
    Good good;
    QString name;             // as the store names the good now
    bool goodExists = true;   // false: deleted since; refunded, its stock not touched
    Money price;              // the unit price sold at
    double sold = 0;
    double returned = 0;      // taken back by earlier returns
    bool taxed = false;
    bool fractions = false;   // parts of a unit may be returned (sold by the pound, say)
    QString uom, fullUom;     // its unit as the store has it now
    LinePaid paid;

    double returnable() const { return sold - returned; }
};

// A stored sale with its lines, for its return.
struct StoredSale {
    qint32 id = 0;
    std::optional<qint32> customer;
    qint32 payTypeId = 0;
    qint16 kind = 0; // `TypeID`
    QDateTime date;
    std::vector<SoldLine> lines;
};

// Reads sale `saleId` and its lines with what is still returnable. Refused
// (ReturnRefused) for a sale the store does not have and for one with
// nothing left to return.
StoredSale ReadSaleForReturn(db::Store &store, qint32 saleId);

} // namespace vanta::sale
