#include "dayend/RegisterName.h"

#include "platform/SettingsStore.h"

#include <QSysInfo>

namespace vanta::dayend {

QString registerName(const platform::SettingsStore &settings)
{
    const QString named =
        settings.read(QStringLiteral("POS"), QStringLiteral("Settings"), QStringLiteral("Register Name")).trimmed();
    if (!named.isEmpty())
        return named;
    const QString host = QSysInfo::machineHostName();
    return host.isEmpty() ? QStringLiteral("Register") : host;
}

} // namespace vanta::dayend
