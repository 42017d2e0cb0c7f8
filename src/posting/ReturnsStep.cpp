#include "posting/NumberDrawer.h"
#include "posting/PostingSteps.h"

#include "db/RowWriter.h"
#include "platform/Currency.h"
#include "platform/Prompt.h"
#include "sale/Refund.h"
#include "sale/clsSaleItems.h"

namespace vanta::posting {

namespace {

using sale::kQuantitySlack;

void tellReturnedMeanwhile(PostingContext &ctx, const sale::clsSaleItem &line, double left)
{
    ctx.prompt.message(QStringLiteral("\"%1\" from sale %2 has been returned at another register meanwhile: %3 "
                                      "can still be returned. The sale was not stored; take the return line off "
                                      "and return it again.")
                           .arg(line.Name())
                           .arg(line.ReturnSale())
                           .arg(left <= kQuantitySlack ? QStringLiteral("none") : formatPlain(left)),
                       platform::Buttons::Ok, platform::Icon::Exclamation, QString());
}

} // namespace

// A row in `Returned Items` for each line given back, so that no sold unit
// is given back twice. The sold line's row is locked first (an update that
// changes nothing): two registers returning the same line queue there, and
// the second one counts what the first returned.
bool RecordReturns(PostingContext &ctx)
{
    static const QString lock = QStringLiteral(
        "UPDATE \"Sold Items\" SET \"qty sold\" = \"qty sold\" WHERE \"Sold ID\" = ? AND \"sales id\" = ?");
    static const QString sold = QStringLiteral("SELECT \"qty sold\" FROM \"Sold Items\" WHERE \"Sold ID\" = ?");
    static const QString returned =
        QStringLiteral("SELECT COALESCE(SUM(qty), 0) FROM \"Returned Items\" WHERE \"Sold ID\" = ?");
    std::optional<db::RowWriter> rows;
    std::optional<NumberDrawer> numbers;
    for (const auto &line : ctx.items) {
        if (!line->good().isReturn() || line->good().returnWithoutReceipt())
            continue; // no sold line to count it against
        if (!rows) {
            rows.emplace(ctx.ws.connection(), QStringLiteral("Returned Items"),
                         QStringList{QStringLiteral("Returned ID"), QStringLiteral("sales id"),
                                     QStringLiteral("original sales id"), QStringLiteral("Sold ID"),
                                     QStringLiteral("qty")},
                         db::RowWriter::OnTaken::Skip);
            numbers.emplace(ctx.newId, QStringLiteral("a returned line"));
        }
        const qint32 soldId = line->good().returnOf;
        const double qty = -double(line->qty());
        if (ctx.ws.execute(lock, {soldId, line->ReturnSale()}) == 0) {
            tellReturnedMeanwhile(ctx, *line, 0); // the sold line is gone from the store
            return true;
        }
        const double left =
            db::asDouble(ctx.ws.scalar(sold, {soldId})) - db::asDouble(ctx.ws.scalar(returned, {soldId}));
        if (qty > left + kQuantitySlack) {
            tellReturnedMeanwhile(ctx, *line, left);
            return true;
        }
        QVariantList row{QVariant(), ctx.request.saleId, line->ReturnSale(), soldId, float(qty)};
        do
            row[0] = numbers->draw();
        while (!rows->add(row));
    }
    return false;
}

// Who approved what on the sale. A store that lacks the table (one the
// register could not add it to) cannot record it: the sale is not stored.
bool RecordApproval(PostingContext &ctx)
{
    if (!ctx.request.approval)
        return false;
    db::RowWriter row(ctx.ws.connection(), QStringLiteral("Sale Approvals"),
                      {QStringLiteral("sales id"), QStringLiteral("Employee ID"), QStringLiteral("approved for"),
                       QStringLiteral("approved at")});
    row.add({ctx.request.saleId, ctx.request.approval->employeeId, ctx.request.approval->what, ctx.now});
    return false;
}

} // namespace vanta::posting
