#include "register/SaleNumberClash.h"

#include "db/Store.h"

namespace vanta {

bool saleNumberTakenByAnother(db::Store &store, const posting::PostingRequest &request, int lineCount)
{
    // A connection of its own: what other registers have committed.
    const db::Database db = store.ownConnection();
    db::Recordset sale = db.openQuery(QStringLiteral("SELECT \"cust id\", \"sold by\", \"total of sale\" "
                                                     "FROM \"Sales\" WHERE \"Sales ID\" = ?"),
                                      {request.saleId});
    if (sale.eof())
        return false;
    const bool sameSale =
        db::asLong(sale.field(0)) == request.customerId && db::asLong(sale.field(1)) == request.employeeId
        && db::asSingle(sale.field(2)) == float(double(request.amounts.total) / 100.0)
        && db.scalar(QStringLiteral("SELECT count(*) FROM \"Sold Items\" WHERE \"sales id\" = ?"), {request.saleId})
                   .toInt()
               == lineCount;
    return !sameSale;
}

} // namespace vanta
