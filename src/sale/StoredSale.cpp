#include "sale/StoredSale.h"

#include "db/Store.h"
#include "sale/LineSource.h"
#include "sale/Proportion.h"
#include "sale/Refund.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace vanta::sale {

namespace {

// The good as the store has it now; none when it was deleted.
struct CurrentGood {
    QString name;
    bool fractions = false; // sold in parts of a unit (its format steps by less than 1)
    QString uom, fullUom;
};

bool formatTakesFractions(const db::Database &db, qint16 formatId)
{
    if (formatId <= 0)
        return false;
    const double step = db::asDouble(db.scalar(QStringLiteral("SELECT Increment FROM Format WHERE FormatID = ?"),
                                               {formatId}));
    return step > 0 && step != std::floor(step);
}

std::optional<CurrentGood> currentGood(db::Store &store, const Good &good, qint32 parentItem)
{
    const std::optional<ItemRecord> item = readItem(store, good.isVariant() ? parentItem : good.id);
    if (!item)
        return std::nullopt;
    clsSaleItem units;
    setUnits(store, units, *item);
    const bool fractions = formatTakesFractions(store.database(), item->formatId);
    if (!good.isVariant())
        return CurrentGood{good.hasOptions() ? GetOptionName(store, item->name, good.options[0], good.options[1],
                                                             good.options[2])
                                             : item->name,
                           fractions, units.UOM(), units.FullUOM()};
    if (!readSubItem(store, good.id))
        return std::nullopt;
    return CurrentGood{GetSubItemName(store, *item, good.id), fractions, units.UOM(), units.FullUOM()};
}

// The sum of the earlier returns of each of the sale's lines, by `Sold ID`.
std::map<qint32, double> returnedBefore(const db::Database &db, qint32 saleId)
{
    std::map<qint32, double> returned;
    if (!db.connection().tableExists(QStringLiteral("Returned Items")))
        return returned;
    for (db::Recordset rs = db.openQuery(QStringLiteral("SELECT \"Sold ID\", sum(qty) FROM \"Returned Items\" "
                                                        "WHERE \"original sales id\" = ? GROUP BY \"Sold ID\""),
                                         {saleId});
         !rs.eof(); rs.moveNext())
        returned[db::asLong(rs.field(0))] = db::asDouble(rs.field(1));
    return returned;
}

// What each of the sale's lines was paid, where the store kept it. The kept
// rows are found through the sale's sold lines (both tables are indexed by
// `Sold ID`, not by sale).
std::map<qint32, LinePaid> paidLines(const db::Database &db, qint32 saleId)
{
    std::map<qint32, LinePaid> paid;
    if (!db.connection().tableExists(QStringLiteral("Sold Line Paid"))
        || !db.connection().tableExists(QStringLiteral("Sold Line Tax")))
        return paid;
    for (db::Recordset rs = db.openQuery(QStringLiteral("SELECT p.\"Sold ID\", p.subtotal, p.discount FROM \"Sold Items\" s "
                                                        "JOIN \"Sold Line Paid\" p ON p.\"Sold ID\" = s.\"Sold ID\" "
                                                        "WHERE s.\"sales id\" = ?"),
                                         {saleId});
         !rs.eof(); rs.moveNext())
        paid[db::asLong(rs.field(0))] = {Money::fromDollars(db::asDouble(rs.field(1))), db::asDouble(rs.field(2)), {}};
    for (db::Recordset rs = db.openQuery(QStringLiteral("SELECT t.\"Sold ID\", t.\"Tax agency\", t.total FROM \"Sold Items\" s "
                                                        "JOIN \"Sold Line Tax\" t ON t.\"Sold ID\" = s.\"Sold ID\" "
                                                        "WHERE s.\"sales id\" = ? ORDER BY t.\"Sold ID\", t.rowid"),
                                         {saleId});
         !rs.eof(); rs.moveNext())
        if (const auto it = paid.find(db::asLong(rs.field(0))); it != paid.end())
            it->second.tax.push_back({rs.field(1).toString(), Money::fromDollars(db::asDouble(rs.field(2))).cents()});
    return paid;
}

// What the lines the store kept nothing for were paid, worked out from the
// sale: price times quantity, and each agency's tax shared among the taxed
// lines and the shipping charge by their amounts (the shipping's share is
// not the lines').
void workOutPaid(const db::Database &db, qint32 saleId, double shipping, std::vector<SoldLine> &lines)
{
    std::vector<double> weights;
    for (SoldLine &line : lines) {
        if (!line.paid.kept)
            line.paid.subtotal = lineSubtotal(line.price, float(line.sold));
        weights.push_back(line.taxed ? line.paid.subtotal.dollars() : 0.0);
    }
    weights.push_back(shipping);
    for (db::Recordset rs = db.openQuery(QStringLiteral("SELECT \"Tax agency\", total FROM \"Tax Holder\" "
                                                        "WHERE \"Sale ID\" = ? ORDER BY rowid"),
                                         {saleId});
         !rs.eof(); rs.moveNext()) {
        const std::vector<qint64> shares =
            shareInProportion(Money::fromDollars(db::asDouble(rs.field(1))).cents(), weights);
        for (size_t i = 0; i < lines.size(); ++i)
            if (!lines[i].paid.kept && shares[i] != 0)
                lines[i].paid.tax.push_back({rs.field(0).toString(), shares[i]});
    }
}

} // namespace

StoredSale ReadSaleForReturn(db::Store &store, qint32 saleId)
{
    const db::Database &db = store.database();
    db::Recordset row = db.openQuery(
        QStringLiteral("SELECT \"cust id\", paytype, TypeID, \"date of sale\", Shipping FROM Sales WHERE \"Sales ID\" = ?"),
        {saleId});
    if (row.eof())
        throw ReturnRefused(QStringLiteral("There is no sale %1 in this store.").arg(saleId));
    StoredSale sale;
    sale.id = saleId;
    if (!row.field(0).isNull())
        sale.customer = db::asLong(row.field(0));
    sale.payTypeId = db::asLong(row.field(1));
    sale.kind = qint16(db::asLong(row.field(2)));
    sale.date = row.field(3).toDateTime();
    const double shipping = db::asDouble(row.field(4));
    row.close();

    const std::map<qint32, double> returned = returnedBefore(db, saleId);
    const std::map<qint32, LinePaid> paid = paidLines(db, saleId);
    for (db::Recordset rs = db.openQuery(
             QStringLiteral("SELECT \"Sold ID\", \"line item\", \"Item Index\", subitemsid, Option1, Option2, Option3, "
                            "\"sold price\", \"qty sold\", taxed FROM \"Sold Items\" WHERE \"sales id\" = ? "
                            "ORDER BY \"line item\""),
             {saleId});
         !rs.eof(); rs.moveNext()) {
        SoldLine line;
        line.soldId = db::asLong(rs.field(0));
        line.lineItem = qint16(db::asLong(rs.field(1)));
        const qint32 item = db::asLong(rs.field(2));
        line.good = rs.field(3).isNull() || db::asLong(rs.field(3)) == 0
                        ? Good::item(item, {db::asLong(rs.field(4)), db::asLong(rs.field(5)), db::asLong(rs.field(6))})
                        : Good::variant(db::asLong(rs.field(3)));
        line.price = Money::fromSingle(db::asSingle(rs.field(7)));
        line.sold = db::asSingle(rs.field(8));
        line.taxed = db::asBool(rs.field(9));
        if (line.sold <= 0)
            continue; // a line given back in this sale is no sold line
        if (const auto r = returned.find(line.soldId); r != returned.end())
            line.returned = r->second;
        if (const auto p = paid.find(line.soldId); p != paid.end())
            line.paid = p->second;
        else
            line.paid.kept = false;
        const std::optional<CurrentGood> now = currentGood(store, line.good, item);
        line.goodExists = now.has_value();
        line.name = now ? now->name : QStringLiteral("Item %1 (no longer in the store)").arg(item);
        line.fractions = (now && now->fractions) || line.sold != std::floor(line.sold);
        if (now) {
            line.uom = now->uom;
            line.fullUom = now->fullUom;
        }
        sale.lines.push_back(std::move(line));
    }
    workOutPaid(db, saleId, shipping, sale.lines);
    if (std::none_of(sale.lines.begin(), sale.lines.end(),
                     [](const SoldLine &l) { return l.returnable() > kQuantitySlack; }))
        throw ReturnRefused(sale.lines.empty() ? QStringLiteral("Sale %1 sold nothing that can be returned.").arg(saleId)
                                               : QStringLiteral("Everything sold in sale %1 has been returned already.")
                                                     .arg(saleId));
    return sale;
}

} // namespace vanta::sale
