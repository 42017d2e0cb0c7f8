#include "register/RegisterSession.h"

namespace vanta {

void RegisterSession::openStore(const QString &dataPath)
{
    mStore.reset();
    mStore = std::make_unique<db::Store>(dataPath);
    DataPath = dataPath;
}

} // namespace vanta
