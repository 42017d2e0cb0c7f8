#include "posting/PostingSteps.h"

#include "sale/StockCheck.h"
#include "sale/clsSaleItems.h"

namespace vanta::posting {

namespace {

// Each stock change is one UPDATE by key; a missing stock figure counts as 0.
// False when no row has the key.

bool sellFromItem(const db::Database &ws, const QVariant &item, double q)
{
    static const QString sql = QStringLiteral(
        "UPDATE \"Items\" SET \"qty\" = COALESCE(\"qty\", 0) - ?, "
        "\"total qty sold\" = COALESCE(\"total qty sold\", 0) + ? WHERE \"Item Index\" = ?");
    return ws.execute(sql, {q, q, item}) > 0;
}

bool countSold(const db::Database &ws, const QVariant &item, double q)
{
    static const QString sql = QStringLiteral(
        "UPDATE \"Items\" SET \"total qty sold\" = COALESCE(\"total qty sold\", 0) + ? WHERE \"Item Index\" = ?");
    return ws.execute(sql, {q, item}) > 0;
}

void sellFromVariant(const db::Database &ws, qint32 variant, double q)
{
    static const QString sql = QStringLiteral(
        "UPDATE \"Subitems\" SET \"quantity\" = COALESCE(\"quantity\", 0) - ? WHERE \"SubItemID\" = ?");
    ws.execute(sql, {q, variant});
}

} // namespace

bool DecrementStock(PostingContext &ctx)
{
    db::Recordset subItems = indexedTable(ctx.ws, QStringLiteral("Subitems"), QStringLiteral("SubItemID"));
    bool failed = false;
    for (const auto &line : ctx.items) {
        const double q = line->qty();
        if (sellFromItem(ctx.ws, line->ITEMINDEX(), q))
            continue;
        // A variant: its own stock when the item counts stock per variant,
        // else the parent item's.
        if (!subItems.seek(line->ITEMINDEX()))
            return true;
        const QVariant parent = subItems.field(QStringLiteral("ItemID"));
        if (sale::TrackQty(ctx.store, line->ITEMINDEX())) {
            sellFromVariant(ctx.ws, line->ITEMINDEX(), q);
            failed = !countSold(ctx.ws, parent, q) || failed;
        } else {
            failed = !sellFromItem(ctx.ws, parent, q) || failed;
        }
    }
    return failed;
}

} // namespace vanta::posting
