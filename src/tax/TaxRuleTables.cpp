#include "tax/TaxRuleTables.h"

#include "db/Lookups.h"
#include "db/Store.h"
#include "sale/Money.h"
#include "diagnostics/Trace.h"
#include "tax/TaxNumbers.h"

namespace vanta::tax {

namespace {

// Trimmed of blanks only (not of tabs or line breaks) and upper-cased.
QString matchText(const QString &text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text[start] == QLatin1Char(' '))
        ++start;
    while (end > start && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.mid(start, end - start).toUpper();
}

} // namespace

std::vector<TaxType> RuleTaxTypes(const db::Database &db, qint32 ruleId)
{
    std::vector<TaxType> types;
    db::Recordset rules = db.openQuery(QStringLiteral("SELECT * FROM \"Tax Rule Definitions\" WHERE \"Rule ID\" = ? "
                                                      "ORDER BY \"type ID\""),
                                       {ruleId});
    db::Recordset taxTypes = db.openTable(QStringLiteral("Tax Types"));
    taxTypes.setIndex(QStringLiteral("id"));
    for (; !rules.eof(); rules.moveNext()) {
        if (!taxTypes.seek(rules.field(QStringLiteral("type ID"))))
            continue;
        TaxType t;
        t.id = db::asLong(taxTypes.field(QStringLiteral("id")));
        t.jurisdictionType = asInteger(taxTypes.field(QStringLiteral("jurisdiction type")));
        t.round = asInteger(taxTypes.field(QStringLiteral("Round")));
        t.agency = asInteger(taxTypes.field(QStringLiteral("agency")));
        types.push_back(t);
    }
    return types;
}

std::vector<TaxSplit> TaxSplits(const db::Database &db, qint32 typeId)
{
    std::vector<TaxSplit> splits;
    db::Recordset rs =
        db.openQuery(QStringLiteral("SELECT * FROM \"Tax splits\" WHERE \"Type id\" = ? ORDER BY \"Split\""), {typeId});
    for (; !rs.eof(); rs.moveNext())
        splits.push_back({db::asDouble(rs.field(QStringLiteral("Split"))),
                          db::asBool(rs.field(QStringLiteral("Percentage"))),
                          db::asDouble(rs.field(QStringLiteral("Value")))});
    return splits;
}

std::optional<QString> MatchedJurisdiction(const db::Database &db, qint16 typeId, qint32 custId,
                                           qint16 jurisdictionType)
{
    return diag::run("modPOS", "InJurisdiction", std::optional<QString>(), [&]() -> std::optional<QString> {
        if (jurisdictionType == 7)
            return QString();
        db::Recordset customer = db.openTable(QStringLiteral("Customers"));
        customer.setIndex(QStringLiteral("Cust ID"));
        if (!customer.seek(custId))
            return std::nullopt;
        const QVariant place = customer.field(int(db::GetCustFieldIndex(jurisdictionType)));
        if (place.isNull())
            return std::nullopt;
        const QString wanted = matchText(place.toString());
        db::Recordset rs =
            db.openQuery(QStringLiteral("SELECT * FROM \"jurisdictions\" WHERE \"TypeID\" = ?"), {typeId});
        for (; !rs.eof(); rs.moveNext()) {
            // A null jurisdiction names no place, not even an empty one.
            const QVariant name = rs.field(QStringLiteral("Jurisdiction"));
            if (!name.isNull() && matchText(name.toString()) == wanted)
                return name.toString().trimmed();
        }
        return std::nullopt;
    });
}

bool InJurisdiction(const db::Database &db, qint16 typeId, qint32 custId, qint16 jurisdictionType)
{
    return MatchedJurisdiction(db, typeId, custId, jurisdictionType).has_value();
}

bool InJurisdiction(db::Store &store, qint16 typeId, qint32 custId, qint16 jurisdictionType)
{
    return InJurisdiction(store.database(), typeId, custId, jurisdictionType);
}

std::vector<double> LineTaxShares(const std::vector<TaxSplit> &splits, double unitPrice, float qty, qint16 round)
{
    std::vector<double> shares;
    if (unitPrice <= 0)
        return shares;
    for (const TaxSplit &s : splits) {
        if (unitPrice > s.split)
            continue;
        if (s.percentage) {
            shares.push_back(CustomRound(sale::asWritten(qty) * unitPrice * s.value / 100, round));
            break;
        }
        shares.push_back(CustomRound(s.value, round));
    }
    return shares;
}

std::vector<double> ShippingTaxShares(const std::vector<TaxSplit> &splits, double shipping, qint16 round)
{
    std::vector<double> shares;
    double remaining = shipping;
    double previous = 0;
    for (const TaxSplit &s : splits) {
        if (remaining <= 0)
            break;
        // The part of the charge this bracket taxes: the rest, or the
        // bracket's own width when the rest goes beyond it.
        const double part = remaining <= s.split - previous ? remaining : s.split - previous;
        shares.push_back(s.percentage ? CustomRound(part * s.value / 100, round) : CustomRound(s.value, round));
        previous = s.split;
        remaining = shipping - s.split;
    }
    return shares;
}

} // namespace vanta::tax
