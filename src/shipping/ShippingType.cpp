#include "shipping/ShippingType.h"

#include "db/Store.h"
#include "diagnostics/Trace.h"

namespace vanta::shipping {

qint16 GetShippingType(db::Store &store)
{
    return diag::run("frmPOS", "GetShippingType", qint16(0), [&] {
        db::Recordset rs = store.database().openTable(QStringLiteral("Company"));
        if (rs.eof())
            return qint16(0);
        return qint16(db::asLong(rs.field(QStringLiteral("shipping option"))));
    });
}

} // namespace vanta::shipping
