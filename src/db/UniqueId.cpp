#include "db/UniqueId.h"

#include "db/Store.h"
#include "diagnostics/VantaError.h"

#include <QRandomGenerator>
#include <limits>

namespace vanta::db {

namespace {

// Far more than the handful of draws a store with millions of rows needs.
constexpr int kMaxDraws = 1000;

bool idInUse(const Database &db, qint32 id)
{
    static const QString sql = QStringLiteral(
        "SELECT EXISTS(SELECT 1 FROM \"Sales\" WHERE \"Sales ID\" = ?)"
        " OR EXISTS(SELECT 1 FROM \"Sold Items\" WHERE \"Sold ID\" = ?)"
        " OR EXISTS(SELECT 1 FROM \"Customers\" WHERE \"Cust ID\" = ?)");
    return db.scalar(sql, {id, id, id}).toInt() != 0;
}

} // namespace

qint32 NewIdCandidate() { return qint32(QRandomGenerator::system()->bounded(1, kOfflineSaleNumbersFrom)); }

qint32 NewOfflineSaleNumberCandidate()
{
    return qint32(QRandomGenerator::system()->bounded(kOfflineSaleNumbersFrom, std::numeric_limits<qint32>::max()));
}

qint32 NewUniqueID(Store &store) { return NewUniqueID(store.ownConnection(), NewIdCandidate); }

qint32 NewUniqueID(Store &store, const std::function<qint32()> &draw)
{
    return NewUniqueID(store.ownConnection(), draw);
}

qint32 NewUniqueID(const Database &db) { return NewUniqueID(db, NewIdCandidate); }

qint32 NewUniqueID(const Database &db, const std::function<qint32()> &draw)
{
    for (int i = 0; i < kMaxDraws; ++i) {
        const qint32 id = draw();
        if (id > 0 && !idInUse(db, id))
            return id;
    }
    throw VantaError(3022, QStringLiteral("No unused id could be found for a new record."),
                     QStringLiteral("Vanta utility"));
}

} // namespace vanta::db
