#include "posting/PostingRequest.h"

#include "sale/Sale.h"

namespace vanta::posting {

PostingRequest requestFor(const sale::Sale &sale, qint16 kind, qint32 employeeId)
{
    PostingRequest request;
    request.kind = kind;
    request.saleId = sale.number();
    request.customerId = sale.customer().value_or(0);
    request.payTypeId = sale.payType().id;
    request.employeeId = employeeId;
    const sale::SaleTotals totals = sale.totals();
    // A refund is stored as a tender below 0 (money paid out) with no change.
    const qint64 tendered = sale.refund() ? -sale.tenderedCents() : sale.tenderedCents();
    request.amounts = {totals.totalDue(), totals.tax, tendered, sale.changeCents(), totals.shipping};
    request.taxByAgency = sale.tax().agencies;
    return request;
}

} // namespace vanta::posting
