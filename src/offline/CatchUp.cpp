#include "offline/CatchUp.h"

#include "db/DbError.h"
#include "db/Store.h"
#include "diagnostics/UntrappedSpan.h"
#include "offline/OfflineError.h"
#include "platform/QuietPrompt.h"
#include "posting/SalePosting.h"
#include "sale/clsSaleItems.h"

namespace vanta::offline {

namespace {

bool inStore(const db::Database &db, qint32 saleId)
{
    static const QString sql = QStringLiteral("SELECT count(*) FROM \"Sales\" WHERE \"Sales ID\" = ?");
    return db.scalar(sql, {saleId}).toLongLong() > 0;
}

// The sale's lines as posting takes them, each sold even beyond the stock
// on hand: the goods left the store while the server was away.
sale::clsSaleItems linesOf(const QueuedSale &sale)
{
    sale::clsSaleItems items;
    for (const sale::clsSaleItem &line : sale.lines) {
        auto copy = std::make_shared<sale::clsSaleItem>(line);
        copy->setExceedQty(true);
        items.AddSaleItem(std::move(copy));
    }
    return items;
}

} // namespace

bool CatchUp::postNext()
{
    const QStringList entries = mQueue.entries();
    if (entries.isEmpty())
        return false;
    const QString &entry = entries.first();
    QueuedSale sale;
    try {
        sale = mQueue.read(entry);
    } catch (const OfflineError &e) {
        setAsideEntry(entry, QStringLiteral("damaged"), e.description());
        return true;
    }
    // Failures come back here, not to the error report: no one is watching.
    diag::UntrappedSpan untrapped;
    if (inStore(mServer.database(), sale.saleId())) {
        mQueue.remove(entry);
        ++mPostedBefore;
        return true;
    }
    platform::QuietPrompt quiet;
    posting::PostingOptions options;
    options.soldAt = sale.soldAt;
    options.alsoInTransaction = [&](const db::Database &ws) {
        // The number is used: the register holds it no longer.
        static const QString sql = QStringLiteral("DELETE FROM \"Offline Sale Numbers\" WHERE \"sales id\" = ?");
        ws.execute(sql, {sale.saleId()});
    };
    bool posted = false;
    try {
        posted = posting::PostSale(mServer, linesOf(sale), sale.request, quiet, options);
    } catch (const db::DbError &) {
        throw; // the server is away or refuses: the sale waits
    } catch (const VantaError &e) {
        setAsideEntry(entry, QStringLiteral("refused"), e.description());
        return true;
    }
    if (!posted) {
        QStringList why = quiet.take();
        why.removeAll(QStringLiteral("You transaction was not completed successfully."));
        setAsideEntry(entry, QStringLiteral("refused"),
                      why.isEmpty() ? QStringLiteral("the store refused it") : why.join(QLatin1Char(' ')));
        return true;
    }
    mQueue.remove(entry);
    ++mPosted;
    noteGoods(sale);
    return true;
}

void CatchUp::setAsideEntry(const QString &entry, const QString &suffix, const QString &why)
{
    const QString kept = mQueue.setAside(entry, suffix);
    mSetAside << QStringLiteral("%1: %2").arg(kept, why);
}

void CatchUp::noteGoods(const QueuedSale &sale)
{
    for (const sale::clsSaleItem &line : sale.lines)
        mGoods.emplace(std::pair(int(line.good().kind), line.ITEMINDEX()),
                       line.FullName().isEmpty() ? line.Name() : line.FullName());
}

std::vector<StockBelowZero> CatchUp::belowZero() const
{
    static const QString items = QStringLiteral(
        "SELECT \"Name\", \"qty\" FROM \"Items\" WHERE \"Item Index\" = ? AND COALESCE(\"QuantityTrack\", 0) <> 0 "
        "AND \"qty\" < 0");
    static const QString variants = QStringLiteral(
        "SELECT i.\"Name\", s.\"quantity\" FROM \"Subitems\" s JOIN \"Items\" i ON i.\"Item Index\" = s.\"ItemID\" "
        "WHERE s.\"SubItemID\" = ? AND s.\"quantity\" < 0");
    std::vector<StockBelowZero> out;
    const db::Database &db = mServer.database();
    for (const auto &[good, name] : mGoods) {
        const bool variant = good.first == int(sale::Good::Kind::Variant);
        db::StatementLease st = db.connection().prepare(variant ? variants : items);
        st->bind({good.second});
        if (st->step())
            // The name the sale showed (a variant's with its options), else the item's.
            out.push_back({name.isEmpty() ? st->column(0).toString() : name, st->column(1).toDouble()});
    }
    return out;
}

} // namespace vanta::offline
