#include "db/BarcodeLookup.h"

#include "db/Store.h"

namespace vanta::db {

qint32 FindItemByCode(Store &store, const QString &code)
{
    const Database &db = store.database();
    const QVariant byLabel =
        db.scalar(QStringLiteral("SELECT \"Item Index\" FROM Items WHERE \"barcode label\" = ? LIMIT 1"), {code});
    if (!byLabel.isNull())
        return asLong(byLabel);
    return FindItemByNumber(store, code);
}

qint32 FindItemByNumber(Store &store, const QString &code)
{
    const Database &db = store.database();
    bool numeric = false;
    const qlonglong number = code.toLongLong(&numeric);
    if (!numeric || number < 0 || number > std::numeric_limits<qint32>::max())
        return -1;
    if (!db.scalar(QStringLiteral("SELECT 1 FROM Items WHERE \"Item Index\" = ?"), {number}).isNull())
        return qint32(number);
    if (!db.scalar(QStringLiteral("SELECT 1 FROM Subitems WHERE SubItemID = ?"), {number}).isNull())
        return qint32(number);
    return -1;
}

} // namespace vanta::db
