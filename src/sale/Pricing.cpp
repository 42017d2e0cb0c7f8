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
    float listPrice = 0;
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
    found.listPrice = db::asSingle(items.field(QStringLiteral("LIST PRICE")));
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

double GetPrice(db::Store &store, const Good &good, float qty)
{
    return diag::run(kModule, "GetPrice", 0.0, [&]() -> double {
        if (qty == 0)
            return 0;
        const std::optional<PricedItem> item = findPricedItem(store.database(), good);
        if (!item)
            return 0;
        const double adjustment = item->isSubItem ? GetPriceAdjustment(store, good.id) : 0.0;
        if (!item->bulk)
            return double(item->listPrice) + adjustment;
        clsPricingLevels levels(store);
        levels.LoadLevels(item->itemIndex);
        const clsPricingLevels::Level level = levels.MatchingLevel(qty);
        // No list-price fallback: a quantity outside every level prices at 0.
        return level ? double(level->Price()) + adjustment : 0.0;
    });
}

double GetPriceAdjustment(db::Store &store, qint32 subItemId)
{
    return diag::run(kModule, "GetPriceAdjustment", 0.0, [&]() -> double {
        const db::Database &db = store.database();
        db::Recordset subItems = db.openTable(QStringLiteral("Subitems"));
        subItems.setIndex(QStringLiteral("Subitemid"));
        if (!subItems.seek(subItemId))
            return 0;
        db::Recordset values = db.openTable(QStringLiteral("Values"));
        values.setIndex(QStringLiteral("ValueID"));
        double total = 0;
        // The option value ids are the sub-item's columns 2, 3 and 4.
        for (int pos = 2; pos <= 4; ++pos)
            if (values.seek(db::asLong(subItems.field(pos))))
                total += db::asSingle(values.field(QStringLiteral("additionalcharge")));
        return total;
    });
}

float GetPriceForOptions(db::Store &store, qint32 valueId1, qint32 valueId2, qint32 valueId3)
{
    return diag::run(kModule, "GetPriceForOptions", 0.0f, [&]() -> float {
        db::Recordset values = store.ownConnection().openTable(QStringLiteral("values"));
        values.setIndex(QStringLiteral("ValueID"));
        float total = 0;
        for (qint32 id : {valueId1, valueId2, valueId3})
            if (values.seek(id))
                total = float(total + db::asSingle(values.field(QStringLiteral("additionalcharge"))));
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
        const double list = item->listPrice;
        const double price = level->Price();
        // A list price of 0 or less has no percentage to show.
        if (price >= list || list <= 0)
            return 0;
        return roundHalfEven((list - price) / list * 100.0, 2);
    });
}

} // namespace vanta::sale
