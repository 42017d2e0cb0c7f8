#include "posting/PostingSteps.h"

namespace vanta::posting {

// The unpaid part of the sale is added in the store itself, so that two
// registers raising one customer's balance at once both count.
bool RaiseCustomerBalance(PostingContext &ctx)
{
    static const QString sql = QStringLiteral(
        "UPDATE \"Customers\" SET \"balance\" = COALESCE(\"balance\", 0) + ? WHERE \"Cust ID\" = ?");
    const qint64 unpaidCents = ctx.request.amounts.total - ctx.request.amounts.tendered;
    const double unpaid = double(unpaidCents) / 100.0;
    return ctx.ws.execute(sql, {unpaid, ctx.request.customerId}) == 0;
}

} // namespace vanta::posting
