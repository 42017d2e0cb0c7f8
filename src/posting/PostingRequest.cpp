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
    request.amounts = {totals.totalDue(), totals.tax, sale.tenderedCents(), sale.changeCents(), totals.shipping};
    request.taxByAgency = sale.tax().agencies;
    return request;
}

} // namespace vanta::posting
