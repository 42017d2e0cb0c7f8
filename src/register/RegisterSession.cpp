#include "register/RegisterSession.h"

#include "db/DbError.h"

namespace vanta {

db::Store &RegisterSession::store() const
{
    if (!mStore)
        throw db::DbError(db::ErrFileNotFound, QStringLiteral("No store database is open."));
    return *mStore;
}

void RegisterSession::openStore(const QString &dataPath)
{
    mStore.reset();
    mStore = std::make_unique<db::Store>(dataPath);
    DataPath = dataPath;
}

} // namespace vanta
