#include "sale/StockCheck.h"

#include "db/Lookups.h"
#include "db/Store.h"
#include "diagnostics/Trace.h"

namespace vanta::sale {

namespace {

const char *const kModule = "modPOS";

db::Recordset itemsByIndex(const db::Database &db)
{
    db::Recordset items = db.openTable(QStringLiteral("Items"));
    items.setIndex(QStringLiteral("Item Index"));
    return items;
}

bool quantityTrack(db::Recordset &items) { return db::asBool(items.field(QStringLiteral("QuantityTrack"))); }

} // namespace

bool CheckQTY(db::Store &store, qint32 itemIndex)
{
    return diag::run(kModule, "CheckQTY", false, [&] {
        db::Recordset items = itemsByIndex(store.ownConnection());
        return items.seek(itemIndex) && quantityTrack(items);
    });
}

bool TrackQty(db::Store &store, const Good &good)
{
    return diag::run(kModule, "TrackQty", false, [&] {
        db::Recordset items = itemsByIndex(store.ownConnection());
        if (!good.isVariant())
            return items.seek(good.id) && quantityTrack(items);
        const qint32 root = db::GetRootItemID(store, good.id);
        if (root == -1)
            return false;
        return items.seek(root) && quantityTrack(items);
    });
}

float RegisterCheckQTY(db::Store &store, const Good &good)
{
    return diag::run("frmPOS", "CheckQTY", 0.0f, [&] {
        const db::Database &db = store.database();
        if (!good.isVariant()) {
            db::Recordset items = itemsByIndex(db);
            return items.seek(good.id) ? db::asSingle(items.field(QStringLiteral("qty"))) : 0.0f;
        }
        db::Recordset subItems = db.openTable(QStringLiteral("Subitems"));
        subItems.setIndex(QStringLiteral("Subitemid"));
        if (subItems.seek(good.id))
            return db::asSingle(subItems.field(QStringLiteral("quantity")));
        return 0.0f;
    });
}

} // namespace vanta::sale
