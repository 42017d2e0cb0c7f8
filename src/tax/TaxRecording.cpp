#include "tax/TaxRecording.h"

#include "db/Database.h"
#include "diagnostics/Trace.h"
#include "platform/Prompt.h"
#include "sale/clsSaleItems.h"
#include "tax/RuleTables.h"
#include "tax/TaxNumbers.h"

#include <algorithm>

namespace vanta::tax {

namespace {

const char *const kModule = "modTaxRules";

// Runs one recording procedure's body; an error becomes a message box
// (prefix, number, description) and the answer "failed".
template <typename F>
bool failedOnError(platform::Prompt &prompt, const QString &prefix, F &&body)
{
    try {
        body();
        return false;
    } catch (const VantaError &e) {
        prompt.message(prefix + QString::number(e.number()) + QLatin1Char(' ') + e.description(),
                       platform::Buttons::Ok, platform::Icon::None, QString());
        return true;
    }
}

// The stored fixed rate of the first company row; 0 without one.
double fixedRate(const db::Database &db)
{
    db::Recordset company = db.openTable(QStringLiteral("Company"));
    return company.eof() ? 0.0 : FixedTaxRate(db::asDouble(company.field(QStringLiteral("sales tax"))));
}

} // namespace

bool UpdateTaxTableFixed(const db::Database &ws, qint32 saleId, const sale::clsSaleItems &items,
                         platform::Prompt &prompt)
{
    return diag::run(kModule, "UpdateTaxTableFixed", true, [&] {
        return failedOnError(prompt, QString(), [&] {
            const double rate = fixedRate(ws);
            double total = 0;
            for (const auto &line : items)
                if (line->Taxable())
                    total += double(line->Price()) * double(line->qty()) * rate;
            db::Recordset holder = ws.openTable(QStringLiteral("Tax Holder"));
            holder.addNew();
            holder.setField(QStringLiteral("Sale ID"), saleId);
            holder.setField(QStringLiteral("Tax agency"), QStringLiteral("Fixed Tax"));
            holder.setField(QStringLiteral("total"), total);
            holder.update();
        });
    });
}

bool UpdateTaxTableFromRules(const db::Database &ws, qint32 saleId, qint32 customerId,
                             const sale::clsSaleItems &items, platform::Prompt &prompt)
{
    return diag::run(kModule, "UpdateTaxTableFromRules", true, [&] {
        // The agencies' amounts in the order they arise, each agency's shares
        // added up in that order: the same rows and totals as writing share by
        // share, with one write per agency.
        std::vector<std::pair<qint16, double>> owed;
        const bool errored = failedOnError(prompt, QString(), [&] {
            RuleTables tables(ws, customerId);
            for (const auto &line : items) {
                if (!line->Taxable())
                    continue;
                for (const TaxType &type : tables.types(line->TaxRuleID())) {
                    if (!tables.applies(type))
                        continue;
                    // Each matching bracket replaces the amount of the one
                    // before it: the last share is the one recorded.
                    const std::vector<double> shares =
                        LineTaxShares(tables.splits(type.id), double(line->Price()), line->qty(), type.round);
                    const double amount = shares.empty() ? 0.0 : shares.back();
                    if (amount <= 0)
                        continue;
                    auto it = std::find_if(owed.begin(), owed.end(),
                                           [&](const auto &o) { return o.first == type.agency; });
                    if (it == owed.end())
                        owed.emplace_back(type.agency, amount);
                    else
                        it->second += amount;
                }
            }
        });
        if (errored)
            return true;
        for (const auto &[agency, amount] : owed)
            if (WriteToTaxHolderTable(ws, saleId, agency, amount, prompt))
                return true;
        return false;
    });
}

bool WriteToTaxHolderTable(const db::Database &ws, qint32 saleId, qint16 agencyId, double amount,
                           platform::Prompt &prompt)
{
    return diag::run(kModule, "WriteToTaxHolderTable", true, [&] {
        return failedOnError(prompt, QStringLiteral("WriteToTaxHolderTable "), [&] {
            if (amount <= 0)
                return;
            const QString agency = GetAgencyName(ws, agencyId);
            db::Recordset holder = ws.openTable(QStringLiteral("Tax Holder"));
            holder.setIndex(QStringLiteral("SaleAgency"));
            if (holder.seek(QVariantList{saleId, agency})) {
                holder.edit();
                holder.setField(QStringLiteral("total"), db::asDouble(holder.field(QStringLiteral("total"))) + amount);
            } else {
                holder.addNew();
                holder.setField(QStringLiteral("Sale ID"), saleId);
                holder.setField(QStringLiteral("Tax agency"), agency);
                holder.setField(QStringLiteral("total"), amount);
            }
            holder.update();
        });
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
