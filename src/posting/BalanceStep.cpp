#include "posting/PostingSteps.h"

namespace vanta::posting {

bool RaiseCustomerBalance(PostingContext &ctx)
{
    db::Recordset customer = indexedTable(ctx.ws, QStringLiteral("Customers"), QStringLiteral("Cust ID"));
    if (!customer.seek(ctx.request.customerId))
        return true;
    // The unpaid part of the sale, in single precision like the amounts.
    const float balance = db::asSingle(customer.field(QStringLiteral("balance")));
    customer.edit();
    customer.setField(QStringLiteral("balance"), balance + (ctx.total - ctx.tendered));
    customer.update();
    return false;
}

} // namespace vanta::posting
