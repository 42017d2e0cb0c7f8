#include "shipping/ShippingType.h"

#include "db/CompanySettings.h"
#include "db/Store.h"
#include "diagnostics/Trace.h"

namespace vanta::shipping {

qint16 GetShippingType(db::Store &store)
{
    return diag::run("frmPOS", "GetShippingType", qint16(0), [&] {
        const std::optional<QVariant> option = db::companySetting(store, QStringLiteral("shipping option"));
        return option ? qint16(db::asLong(*option)) : qint16(0);
    });
}

} // namespace vanta::shipping
