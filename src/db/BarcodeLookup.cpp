#include "db/BarcodeLookup.h"

#include "db/Store.h"

namespace vanta::db {

std::optional<CodedGood> FindItemByCode(Store &store, const QString &code)
{
    const Database &db = store.database();
    const QVariant byLabel =
        db.scalar(QStringLiteral("SELECT \"Item Index\" FROM Items WHERE \"barcode label\" = ? LIMIT 1"), {code});
    if (!byLabel.isNull())
        return CodedGood{asLong(byLabel), false};
    return FindItemByNumber(store, code);
}

std::optional<CodedGood> FindItemByNumber(Store &store, const QString &code)
{
    const Database &db = store.database();
    bool numeric = false;
    const qlonglong number = code.toLongLong(&numeric);
    if (!numeric || number < 0 || number > std::numeric_limits<qint32>::max())
        return std::nullopt;
    if (!db.scalar(QStringLiteral("SELECT 1 FROM Items WHERE \"Item Index\" = ?"), {number}).isNull())
        return CodedGood{qint32(number), false};
    if (!db.scalar(QStringLiteral("SELECT 1 FROM Subitems WHERE SubItemID = ?"), {number}).isNull())
        return CodedGood{qint32(number), true};
    return std::nullopt;
}

} // namespace vanta::db
