#include "sale/Pricing.h"

#include "db/Store.h"
#include "diagnostics/Trace.h"
#include "sale/clsPricingLevels.h"

#include <cmath>
#include <optional>

namespace vanta::sale {

namespace {

const char *const kModule = "modPOS";

// The item a price is taken from: the item itself, or a sub-item's parent.
struct PricedItem {
    qint32 itemIndex = 0;
    Money listPrice;
    bool bulk = false;
    bool isSubItem = false;
};

std::optional<PricedItem> findPricedItem(const db::Database &db, const Good &good)
{
    db::Recordset items = db.openTable(QStringLiteral("Items"));
    items.setIndex(QStringLiteral("Item Index"));
    PricedItem found;
    found.itemIndex = good.id;
    if (good.isVariant()) {
        db::Recordset subItems = db.openTable(QStringLiteral("Subitems"));
        subItems.setIndex(QStringLiteral("subitemid"));
        if (!subItems.seek(good.id))
            return std::nullopt;
        found.itemIndex = db::asLong(subItems.field(QStringLiteral("ItemID")));
        found.isSubItem = true;
    }
    if (!items.seek(found.itemIndex))
        return std::nullopt;
    found.listPrice = Money::fromSingle(db::asSingle(items.field(QStringLiteral("LIST PRICE"))));
    found.bulk = db::asBool(items.field(QStringLiteral("bulkdiscount")));
    return found;
}

// Rounds to the given number of decimals, exact halves to the even digit.
double roundHalfEven(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return std::nearbyint(value * scale) / scale;
}

} // namespace

Money GetPrice(db::Store &store, const Good &good, float qty)
{
    return diag::run(kModule, "GetPrice", Money(), [&]() -> Money {
        if (qty == 0)
            return {};
        const std::optional<PricedItem> item = findPricedItem(store.database(), good);
        if (!item)
            return {};
        const Money adjustment = item->isSubItem ? GetPriceAdjustment(store, good.id) : Money();
        if (!item->bulk)
            return item->listPrice + adjustment;
        clsPricingLevels levels(store);
        levels.LoadLevels(item->itemIndex);
        const clsPricingLevels::Level level = levels.MatchingLevel(qty);
        // No list-price fallback: a quantity outside every level prices at 0.
        return level ? level->Price() + adjustment : Money();
    });
}

Money GetPriceAdjustment(db::Store &store, qint32 subItemId)
{
    return diag::run(kModule, "GetPriceAdjustment", Money(), [&]() -> Money {
        const db::Database &db = store.database();
        db::Recordset subItems = db.openTable(QStringLiteral("Subitems"));
        subItems.setIndex(QStringLiteral("Subitemid"));
        if (!subItems.seek(subItemId))
            return {};
        db::Recordset values = db.openTable(QStringLiteral("Values"));
        values.setIndex(QStringLiteral("ValueID"));
        Money total;
        // The option value ids are the sub-item's columns 2, 3 and 4.
        for (int pos = 2; pos <= 4; ++pos)
            if (values.seek(db::asLong(subItems.field(pos))))
                total += Money::fromSingle(db::asSingle(values.field(QStringLiteral("additionalcharge"))));
        return total;
    });
}

Money GetPriceForOptions(db::Store &store, qint32 valueId1, qint32 valueId2, qint32 valueId3)
{
    return diag::run(kModule, "GetPriceForOptions", Money(), [&]() -> Money {
        db::Recordset values = store.ownConnection().openTable(QStringLiteral("values"));
        values.setIndex(QStringLiteral("ValueID"));
        Money total;
        for (qint32 id : {valueId1, valueId2, valueId3})
            if (values.seek(id))
                total += Money::fromSingle(db::asSingle(values.field(QStringLiteral("additionalcharge"))));
        return total;
    });
}

double GetDiscount(db::Store &store, const Good &good, double qty)
{
    return diag::run(kModule, "GetDiscount", 0.0, [&]() -> double {
        const std::optional<PricedItem> item = findPricedItem(store.database(), good);
        if (!item || !item->bulk)
            return 0;
        clsPricingLevels levels(store);
        levels.LoadLevels(item->itemIndex);
        const clsPricingLevels::Level level = levels.MatchingLevel(float(qty));
        if (!level)
            return 0;
        const Money list = item->listPrice;
        const Money price = level->Price();
        // A list price of 0 or less has no percentage to show.
        if (price >= list || list <= Money())
            return 0;
        return roundHalfEven(double((list - price).cents()) / double(list.cents()) * 100.0, 2);
    });
}

} // namespace vanta::sale
