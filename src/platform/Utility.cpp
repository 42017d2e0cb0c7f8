#include "platform/Utility.h"

#include "db/Store.h"
#include "diagnostics/VantaError.h"
#include "platform/Prompt.h"

#include <QFileInfo>
#include <QRandomGenerator>
#include <limits>

namespace vanta::platform {

namespace {

// Far more than the handful of draws a store with millions of rows needs.
constexpr int kMaxDraws = 1000;

bool idInUse(const db::Database &db, qint32 id)
{
    static const QString sql = QStringLiteral(
        "SELECT EXISTS(SELECT 1 FROM \"Sales\" WHERE \"Sales ID\" = ?)"
        " OR EXISTS(SELECT 1 FROM \"Sold Items\" WHERE \"Sold ID\" = ?)"
        " OR EXISTS(SELECT 1 FROM \"Customers\" WHERE \"Cust ID\" = ?)");
    return db.scalar(sql, {id, id, id}).toInt() != 0;
}

} // namespace

bool FileExists(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

qint32 NewUniqueID(db::Store &store)
{
    return NewUniqueID(store, [] {
        return qint32(QRandomGenerator::system()->bounded(1, std::numeric_limits<qint32>::max()));
    });
}

qint32 NewUniqueID(db::Store &store, const std::function<qint32()> &draw)
{
    const db::Database db = store.ownConnection();
    for (int i = 0; i < kMaxDraws; ++i) {
        const qint32 id = draw();
        if (id > 0 && !idInUse(db, id))
            return id;
    }
    throw VantaError(3022, QStringLiteral("No unused id could be found for a new record."),
                     QStringLiteral("Vanta utility"));
}

void ShowAbout(Prompt &prompt)
{
    prompt.message(applicationTitle() + QStringLiteral("\n\nVersion ") + QStringLiteral(VANTA_VERSION),
                   Buttons::Ok, Icon::Information, QStringLiteral("About ") + applicationTitle());
}

} // namespace vanta::platform
