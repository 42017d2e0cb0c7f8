#include "posting/PostingSteps.h"

#include "db/RowWriter.h"
#include "sale/clsSaleItems.h"

namespace vanta::posting {

// What each sold line was paid, kept for its return: its subtotal and
// discount, and its share of the tax by agency. A store that lacks the
// tables (an older store the register could not add them to) keeps none;
// its sales are refunded by their sold price.
bool RecordWhatLinesPaid(PostingContext &ctx)
{
    db::Connection &conn = ctx.ws.connection();
    if (!conn.tableExists(QStringLiteral("Sold Line Paid")) || !conn.tableExists(QStringLiteral("Sold Line Tax")))
        return false;
    db::RowWriter paid(conn, QStringLiteral("Sold Line Paid"),
                       {QStringLiteral("Sold ID"), QStringLiteral("sales id"), QStringLiteral("subtotal"),
                        QStringLiteral("discount")});
    db::RowWriter taxes(conn, QStringLiteral("Sold Line Tax"),
                        {QStringLiteral("Sold ID"), QStringLiteral("sales id"), QStringLiteral("Tax agency"),
                         QStringLiteral("total")});
    const qint32 saleId = ctx.request.saleId;
    size_t i = 0;
    for (const auto &line : ctx.items) {
        const qint32 soldId = ctx.soldIds.at(i);
        paid.add({soldId, saleId, line->Subtotal().dollars(), line->Discount()});
        if (i < ctx.taxByLine.lines.size())
            for (const sale::AgencyTax &agency : ctx.taxByLine.lines[i])
                taxes.add({soldId, saleId, agency.agency, double(agency.cents) / 100.0});
        ++i;
    }
    return false;
}

} // namespace vanta::posting
