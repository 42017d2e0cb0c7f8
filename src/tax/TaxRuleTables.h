#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>
#include <vector>

namespace vanta::db {
class Database;
class Store;
} // namespace vanta::db

namespace vanta::tax {

// A tax type (`Tax Types`) as a rule row names it.
struct TaxType {
    qint32 id = 0;
    qint16 jurisdictionType = 0; // 0..6: customer column deciding where it applies; 7 everywhere
    qint16 round = 0;            // rounding digit for CustomRound
    qint16 agency = 0;           // `Tax Agencies` id
};

// One price bracket of a tax type (`Tax splits`).
struct TaxSplit {
    double split = 0;        // upper bound of the bracket
    bool percentage = false; // value is a percent of the amount, else a flat amount
    double value = 0;
};

// The tax types a rule combines, in `type ID` order; rule rows whose tax
// type does not exist are left out.
std::vector<TaxType> RuleTaxTypes(const db::Database &db, qint32 ruleId);

// The brackets of a tax type in ascending `Split`.
std::vector<TaxSplit> TaxSplits(const db::Database &db, qint32 typeId);

// Whether a tax type applies to the customer (module "modPOS"): type 7
// applies everywhere; otherwise the customer's column named by the
// jurisdiction type (read by position) must equal one of the type's
// `jurisdictions` ignoring case and surrounding spaces. An unknown customer
// or a null column is in no jurisdiction.
bool InJurisdiction(const db::Database &db, qint16 typeId, qint32 custId, qint16 jurisdictionType);
// The same test answering where: the type's `jurisdictions` row that the
// customer lies in (as stored, trimmed), an empty text for a type that
// applies everywhere, none when the type does not apply to the customer.
std::optional<QString> MatchedJurisdiction(const db::Database &db, qint16 typeId, qint32 custId,
                                           qint16 jurisdictionType);
bool InJurisdiction(db::Store &store, qint16 typeId, qint32 custId, qint16 jurisdictionType);

// The rounded amounts one sale line owes a tax type, in bracket order. The
// unit price picks the brackets: every flat bracket at or above the price
// adds its amount (once per line), up to and including the first percentage
// bracket at or above the price, which taxes quantity x price. A price of 0
// or below owes nothing.
std::vector<double> LineTaxShares(const std::vector<TaxSplit> &splits, double unitPrice, float qty, qint16 round);

// The rounded amounts a shipping charge owes a tax type: each bracket taxes
// only the part of the charge between the previous bound and its own (a flat
// bracket adds its amount when any of the charge reaches it).
std::vector<double> ShippingTaxShares(const std::vector<TaxSplit> &splits, double shipping, qint16 round);

} // namespace vanta::tax
