#include "register/RegisterSession.h"

#include "platform/SettingsStore.h"

namespace vanta {

void RegisterSession::openStore(const QString &dataPath)
{
    mStore.reset();
    // A server store's password, when the password file does not hold it.
    const QString password = db::Store::isServerAddress(dataPath)
                                 ? settings.read(QStringLiteral("Marlux"), QStringLiteral("Pathing"),
                                                 QStringLiteral("Store Password"), QString())
                                 : QString();
    mStore = std::make_unique<db::Store>(dataPath, db::Store::defaultKey(), password);
    DataPath = dataPath;
}

} // namespace vanta
