#include "tax/TaxRecording.h"

#include "db/Database.h"
#include "db/RowWriter.h"
#include "platform/Currency.h"
#include "diagnostics/Trace.h"
#include "platform/Prompt.h"

namespace vanta::tax {

namespace {
const char *const kModule = "modTaxRules";
const QString kPlaces = QStringLiteral("Tax Jurisdictions");

// Shows a failed write as a message box (number, a space, the description).
void showWriteError(platform::Prompt &prompt, const VantaError &e)
{
    prompt.message(QString::number(e.number()) + QLatin1Char(' ') + e.description(), platform::Buttons::Ok,
                   platform::Icon::None, QString());
}
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
            showWriteError(prompt, e);
            return true;
        }
    });
}

bool WriteTaxPlaceRows(const db::Database &ws, qint32 saleId, const std::vector<PlaceTax> &places,
                       platform::Prompt &prompt)
{
    return diag::run(kModule, "WriteTaxPlaceRows", true, [&] {
        try {
            if (places.empty() || !ws.connection().tableExists(kPlaces))
                return false;
            db::RowWriter rows(ws.connection(), kPlaces,
                               {QStringLiteral("Sale ID"), QStringLiteral("Tax agency"), QStringLiteral("Jurisdiction"),
                                QStringLiteral("total")});
            for (const PlaceTax &p : places)
                rows.add({saleId, p.agency, p.jurisdiction, double(p.cents) / 100.0});
            return false;
        } catch (const VantaError &e) {
            showWriteError(prompt, e);
            return true;
        }
    });
}

std::vector<PlaceTax> PostedTaxPlaces(const db::Database &db, qint32 saleId)
{
    std::vector<PlaceTax> places;
    if (!db.connection().tableExists(kPlaces))
        return places;
    db::Recordset rs = db.openQuery(QStringLiteral("SELECT \"Tax agency\", \"Jurisdiction\", total "
                                                   "FROM \"Tax Jurisdictions\" WHERE \"Sale ID\" = ?"),
                                    {saleId});
    for (; !rs.eof(); rs.moveNext())
        places.push_back({rs.field(0).toString(), rs.field(1).toString(), toCents(db::asDouble(rs.field(2)))});
    return places;
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
