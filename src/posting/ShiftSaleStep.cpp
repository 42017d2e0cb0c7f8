#include "posting/PostingSteps.h"

#include "db/RowWriter.h"

namespace vanta::posting {

// The shift the sale was taken in, for its X and Z reports.
bool RecordShiftSale(PostingContext &ctx)
{
    if (ctx.request.shiftId == 0)
        return false;
    db::RowWriter row(ctx.ws.connection(), QStringLiteral("Shift Sales"),
                      {QStringLiteral("sales id"), QStringLiteral("Shift ID")});
    row.add({ctx.request.saleId, ctx.request.shiftId});
    return false;
}

} // namespace vanta::posting
