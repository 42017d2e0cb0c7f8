#include "posting/PostingSteps.h"

#include "platform/Prompt.h"
#include "sale/Refund.h"
#include "sale/StockCheck.h"
#include "sale/clsSaleItems.h"

#include <algorithm>
#include <vector>

namespace vanta::posting {

namespace {

using sale::kQuantitySlack;

// Each stock change is one UPDATE by key, made in the store itself so that
// registers selling at the same moment all count; a missing stock figure
// counts as 0. A guarded change is made only while enough is on hand (or
// the stock is not tracked): another register may have sold the last units
// since this sale's lines were checked.

enum class Sold { Done, NoRow, Short };

Sold sellFromItem(const db::Database &ws, const QVariant &item, double q, bool guarded)
{
    static const QString plain = QStringLiteral(
        "UPDATE \"Items\" SET \"qty\" = COALESCE(\"qty\", 0) - ?, "
        "\"total qty sold\" = COALESCE(\"total qty sold\", 0) + ? WHERE \"Item Index\" = ?");
    static const QString guard = plain + QStringLiteral(
        " AND (COALESCE(\"QuantityTrack\", 0) = 0 OR COALESCE(\"qty\", 0) >= ?)");
    if ((guarded ? ws.execute(guard, {q, q, item, q - kQuantitySlack}) : ws.execute(plain, {q, q, item})) > 0)
        return Sold::Done;
    if (!guarded)
        return Sold::NoRow;
    static const QString exists = QStringLiteral("SELECT count(*) FROM \"Items\" WHERE \"Item Index\" = ?");
    return ws.scalar(exists, {item}).toInt() > 0 ? Sold::Short : Sold::NoRow;
}

bool countSold(const db::Database &ws, const QVariant &item, double q)
{
    static const QString sql = QStringLiteral(
        "UPDATE \"Items\" SET \"total qty sold\" = COALESCE(\"total qty sold\", 0) + ? WHERE \"Item Index\" = ?");
    return ws.execute(sql, {q, item}) > 0;
}

// A tracked variant's own stock; false when it is short.
bool sellFromVariant(const db::Database &ws, qint32 variant, double q, bool guarded)
{
    static const QString plain = QStringLiteral(
        "UPDATE \"Subitems\" SET \"quantity\" = COALESCE(\"quantity\", 0) - ? WHERE \"SubItemID\" = ?");
    static const QString guard = plain + QStringLiteral(" AND COALESCE(\"quantity\", 0) >= ?");
    return (guarded ? ws.execute(guard, {q, variant, q - kQuantitySlack}) : ws.execute(plain, {q, variant})) > 0
           || !guarded;
}

void tellShort(PostingContext &ctx, const sale::clsSaleItem &line)
{
    ctx.prompt.message(QStringLiteral("There is not enough of \"%1\" in stock any more: another register has "
                                      "sold it meanwhile. The sale was not stored; check the quantity and "
                                      "try again.")
                           .arg(line.Name()),
                       platform::Buttons::Ok, platform::Icon::Exclamation, QString());
}

} // namespace

bool DecrementStock(PostingContext &ctx)
{
    db::Recordset subItems = indexedTable(ctx.ws, QStringLiteral("Subitems"), QStringLiteral("SubItemID"));
    // Each line with the item row it changes: the item itself, or a
    // variant's parent.
    struct Change {
        const sale::clsSaleItem *line;
        qint32 item;
    };
    std::vector<Change> changes;
    for (const auto &line : ctx.items) {
        if (!line->isVariant())
            changes.push_back({line.get(), line->ITEMINDEX()});
        else if (subItems.seek(line->ITEMINDEX()))
            changes.push_back({line.get(), db::asLong(subItems.field(QStringLiteral("ItemID")))});
        else if (!line->good().isReturn())
            return true; // the variant is gone from the store
        // A variant given back after it was deleted: no stock to raise.
    }
    // Item rows are changed in the order of their numbers (a variant's own
    // row right before its parent's), the same on every register, so two
    // postings never wait on each other in a circle.
    std::stable_sort(changes.begin(), changes.end(), [](const Change &a, const Change &b) {
        return std::pair(a.item, a.line->good()) < std::pair(b.item, b.line->good());
    });
    bool failed = false;
    for (const auto &[line, item] : changes) {
        const double q = line->qty();
        // A line the cashier accepted beyond the stock on hand is sold as is.
        const bool guarded = !line->ExceedQty() && q > 0;
        // Goods given back raise the stock (a negative quantity sold); one
        // deleted since it was sold has none to raise.
        const bool given = line->good().isReturn();
        if (!line->isVariant()) {
            const Sold sold = sellFromItem(ctx.ws, item, q, guarded);
            if (sold == Sold::Short) {
                tellShort(ctx, *line);
                return true;
            }
            failed = (sold == Sold::NoRow && !given) || failed;
            continue;
        }
        // A variant: its own stock when the item counts stock per variant,
        // else the parent item's.
        const QVariant parent = item;
        Sold fromParent = Sold::Done;
        if (sale::TrackQty(ctx.store, line->good())) {
            if (!sellFromVariant(ctx.ws, line->ITEMINDEX(), q, guarded)) {
                tellShort(ctx, *line);
                return true;
            }
            failed = (!countSold(ctx.ws, parent, q) && !given) || failed;
        } else {
            fromParent = sellFromItem(ctx.ws, parent, q, guarded);
            if (fromParent == Sold::Short) {
                tellShort(ctx, *line);
                return true;
            }
            failed = (fromParent == Sold::NoRow && !given) || failed;
        }
    }
    return failed;
}

} // namespace vanta::posting
