#include "tax/TaxRecording.h"

#include "db/Database.h"
#include "diagnostics/Trace.h"
#include "platform/Prompt.h"

namespace vanta::tax {

namespace {
const char *const kModule = "modTaxRules";
} // namespace

bool WriteTaxHolderRows(const db::Database &ws, qint32 saleId, const std::vector<AgencyTax> &agencies,
                   platform::Prompt &prompt)
{
    return diag::run(kModule, "WriteTaxHolderRows", true, [&] {
        try {
            for (const AgencyTax &a : agencies) {
                db::Recordset holder = ws.openTable(QStringLiteral("Tax Holder"));
                holder.addNew();
                holder.setField(QStringLiteral("Sale ID"), saleId);
                holder.setField(QStringLiteral("Tax agency"), a.agency);
                holder.setField(QStringLiteral("total"), double(a.cents) / 100.0);
                holder.update();
            }
            return false;
        } catch (const VantaError &e) {
            prompt.message(QString::number(e.number()) + QLatin1Char(' ') + e.description(), platform::Buttons::Ok,
                           platform::Icon::None, QString());
            return true;
        }
    });
}

QString GetAgencyName(const db::Database &db, qint16 agencyId)
{
    return diag::run(kModule, "GetAgencyName", QString(), [&] {
        db::Recordset agencies = db.openTable(QStringLiteral("Tax Agencies"));
        agencies.setIndex(QStringLiteral("id"));
        return agencies.seek(agencyId) ? agencies.text(QStringLiteral("Name")) : QString();
    });
}

} // namespace vanta::tax
