#include "posting/PostingSteps.h"

#include "db/RowWriter.h"
#include "db/Store.h"
#include "diagnostics/ApplicationTitle.h"
#include "diagnostics/VantaError.h"
#include "sale/clsSaleItems.h"

#include <map>
#include <optional>

namespace vanta::posting {

namespace {

// Far more draws than a sale of any size needs from a working id source.
constexpr int kMaxDraws = 1000;

// Sold-line numbers for one sale. A candidate is not probed first: the
// insert itself refuses a number the unique index of `Sold ID` already
// holds (a committed line, another register's or one of this sale), and the
// caller draws again. The posting's connection holds the write lock, so it
// sees every committed line as well as its own.
class SoldIdDrawer {
public:
    explicit SoldIdDrawer(PostingContext &ctx) : mSource(ctx.newId) {}

    qint32 draw()
    {
        if (++mDraws > kMaxDraws)
            throw VantaError(3022, QStringLiteral("No unused number could be found for a sold line."),
                             applicationTitle());
        return mSource();
    }

private:
    const IdSource &mSource;
    int mDraws = 0;
};

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
    SoldIdDrawer soldIds(ctx);
    LineCosts costs(ctx.ws);
    qint16 lineNumber = 0;
    for (const auto &line : ctx.items) {
        QVariant item = line->ITEMINDEX();
        QVariant variant;
        QVariantList options{line->OptionID1(), line->OptionID2(), line->OptionID3()};
        float otherCosts = 0;
        if (!line->isVariant()) {
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
