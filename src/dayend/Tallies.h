#pragma once

#include "dayend/ShiftFigures.h"
#include "db/Recordset.h"
#include "platform/Currency.h"

#include <QMap>
#include <vector>

namespace vanta::dayend {

// An amount column read as whole cents (null: none).
inline qint64 centsOf(const QVariant &v) { return v.isNull() ? 0 : toCents(db::asDouble(v)); }

// Tallies kept by name, handed out in name order.
class Tallies {
public:
    void add(const QString &name, qint64 cents, int count = 1)
    {
        Tally &t = mByName[name];
        t.name = name;
        t.count += count;
        t.cents += cents;
    }
    std::vector<Tally> list() const { return {mByName.cbegin(), mByName.cend()}; }

private:
    QMap<QString, Tally> mByName;
};

} // namespace vanta::dayend
