#include "posting/PostingSteps.h"

#include "db/RowWriter.h"
#include "db/Store.h"
#include "posting/NumberDrawer.h"
#include "sale/clsSaleItems.h"

#include <map>
#include <optional>

namespace vanta::posting {

namespace {

// Costs of the sale lines: item cost plus the cost of the chosen options.
class LineCosts {
public:
    explicit LineCosts(const db::Database &db)
        : mItems(indexedTable(db, QStringLiteral("Items"), QStringLiteral("Item Index"))),
          mSubItems(indexedTable(db, QStringLiteral("Subitems"), QStringLiteral("SubItemID"))),
          mValues(indexedTable(db, QStringLiteral("Values"), QStringLiteral("ValueID")))
    {
    }

    // Sum of `additionalcost` of the line's option values; a value without
    // a row adds nothing.
    float optionCost(const sale::clsSaleItem &line)
    {
        float cost = 0;
        for (qint32 value : {line.OptionID1(), line.OptionID2(), line.OptionID3()})
            cost += valueCost(value);
        return cost;
    }

    // The parent item's cost plus the option cost; 0 when the variant or
    // its parent is missing.
    float variantCost(const sale::clsSaleItem &line)
    {
        if (!mSubItems.seek(line.ITEMINDEX()) || !mItems.seek(mSubItems.field(QStringLiteral("ItemID"))))
            return 0;
        return db::asSingle(mItems.field(QStringLiteral("our cost"))) + optionCost(line);
    }

private:
    // Each value is looked up once per sale: most lines share value 0.
    float valueCost(qint32 value)
    {
        auto it = mValueCosts.find(value);
        if (it == mValueCosts.end())
            it = mValueCosts.emplace(value, mValues.seek(value)
                                                ? db::asSingle(mValues.field(QStringLiteral("additionalcost")))
                                                : 0.0f).first;
        return it->second;
    }

    db::Recordset mItems;
    db::Recordset mSubItems;
    db::Recordset mValues;
    std::map<qint32, float> mValueCosts;
};

// What a return line gives back, as its sold line was stored: the item,
// variant and option values, and the cost. Nothing when the sold line is
// gone from the store.
std::optional<QVariantList> soldLineOf(const db::Database &ws, qint32 soldId)
{
    static const QString sql = QStringLiteral("SELECT \"Item Index\", subitemsid, Option1, Option2, Option3, "
                                              "\"other costs\" FROM \"Sold Items\" WHERE \"Sold ID\" = ?");
    db::Recordset rs = ws.openQuery(sql, {soldId});
    if (rs.eof())
        return std::nullopt;
    return QVariantList{rs.field(0), rs.field(1), rs.field(2), rs.field(3), rs.field(4), rs.field(5)};
}

// The cost of the item with this index; nothing when no item has it.
std::optional<float> plainItemCost(const db::Database &ws, qint32 itemIndex)
{
    static const QString sql =
        QStringLiteral("SELECT COALESCE(\"our cost\", 0) FROM \"Items\" WHERE \"Item Index\" = ?");
    const QVariant cost = ws.scalar(sql, {itemIndex});
    if (cost.isNull())
        return std::nullopt;
    return db::asSingle(cost);
}

} // namespace

bool WriteSoldLines(PostingContext &ctx)
{
    db::Recordset subItems = indexedTable(ctx.ws, QStringLiteral("Subitems"), QStringLiteral("SubItemID"));
    db::RowWriter sold(ctx.ws.connection(), QStringLiteral("Sold Items"),
                       {QStringLiteral("Sold ID"), QStringLiteral("sales id"), QStringLiteral("line item"),
                        QStringLiteral("Item Index"), QStringLiteral("subitemsid"), QStringLiteral("Option1"),
                        QStringLiteral("Option2"), QStringLiteral("Option3"), QStringLiteral("sold price"),
                        QStringLiteral("qty sold"), QStringLiteral("taxed"), QStringLiteral("other costs")},
                       db::RowWriter::OnTaken::Skip);
    NumberDrawer soldIds(ctx.newId, QStringLiteral("a sold line"));
    LineCosts costs(ctx.ws);
    qint16 lineNumber = 0;
    for (const auto &line : ctx.items) {
        QVariant item = line->ITEMINDEX();
        QVariant variant;
        QVariantList options{line->OptionID1(), line->OptionID2(), line->OptionID3()};
        QVariant otherCosts = 0.0f;
        if (line->good().isReturn() && !line->good().returnWithoutReceipt()) {
            // Given back as it was sold, even when the good is gone since.
            const std::optional<QVariantList> sold = soldLineOf(ctx.ws, line->good().returnOf);
            if (!sold)
                return true;
            item = (*sold)[0];
            variant = (*sold)[1];
            options = {(*sold)[2], (*sold)[3], (*sold)[4]};
            otherCosts = (*sold)[5];
        } else if (!line->isVariant()) {
            const std::optional<float> cost = plainItemCost(ctx.ws, line->ITEMINDEX());
            if (!cost)
                return true; // the item is gone from the store
            otherCosts = *cost + costs.optionCost(*line);
        } else {
            // A variant: sold under its parent item, with its own option values.
            otherCosts = costs.variantCost(*line);
            if (!subItems.seek(line->ITEMINDEX()))
                return true;
            item = subItems.field(QStringLiteral("ItemID"));
            variant = line->ITEMINDEX();
            options = {subItems.field(QStringLiteral("valueid1")), subItems.field(QStringLiteral("valueid2")),
                       subItems.field(QStringLiteral("valueid3"))};
        }
        QVariantList row{QVariant(), ctx.request.saleId, ++lineNumber, item, variant, options[0], options[1],
                         options[2], line->Price().single(), line->qty(), line->Taxable(), otherCosts};
        // A number already taken is refused by the insert: draw again.
        do
            row[0] = soldIds.draw();
        while (!sold.add(row));
        ctx.soldIds.push_back(row[0].toInt());
    }
    return false;
}

} // namespace vanta::posting
