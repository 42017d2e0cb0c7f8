#pragma once

#include "db/Database.h"
#include "tax/TaxNumbers.h"
#include "tax/TaxRuleTables.h"

#include <map>
#include <vector>

namespace vanta::tax {

// The rule, bracket and jurisdiction answers of tax computations for one
// customer, each read once: the lines of a sale share a handful of rules and
// tax types, and the answers cannot change while the tax is being worked out.
// The register keeps one between computations while the store is unchanged.
class RuleTables {
public:
    RuleTables(const db::Database &db, qint32 customerId) : mDb(db), mCustomerId(customerId) {}

    qint32 customerId() const { return mCustomerId; }

    // The tax types of a rule, in `type ID` order.
    const std::vector<TaxType> &types(qint32 ruleId)
    {
        auto it = mTypes.find(ruleId);
        if (it == mTypes.end())
            it = mTypes.emplace(ruleId, RuleTaxTypes(mDb, ruleId)).first;
        return it->second;
    }
    // The brackets of a tax type in ascending `Split`.
    const std::vector<TaxSplit> &splits(qint32 typeId)
    {
        auto it = mSplits.find(typeId);
        if (it == mSplits.end())
            it = mSplits.emplace(typeId, TaxSplits(mDb, typeId)).first;
        return it->second;
    }
    // Whether the tax type applies to the customer.
    bool applies(const TaxType &type) { return jurisdiction(type).has_value(); }
    // Where it applies to the customer (see MatchedJurisdiction).
    const std::optional<QString> &jurisdiction(const TaxType &type)
    {
        auto it = mPlaces.find(type.id);
        if (it == mPlaces.end())
            it = mPlaces.emplace(type.id, MatchedJurisdiction(mDb, toInteger(type.id), mCustomerId,
                                                              type.jurisdictionType)).first;
        return it->second;
    }

private:
    db::Database mDb;
    qint32 mCustomerId;
    std::map<qint32, std::vector<TaxType>> mTypes;
    std::map<qint32, std::vector<TaxSplit>> mSplits;
    std::map<qint32, std::optional<QString>> mPlaces;
};

} // namespace vanta::tax
