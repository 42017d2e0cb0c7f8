#include "platform/Prompt.h"

namespace vanta::platform {

QString applicationTitle()
{
    return QStringLiteral("Vanta! POS");
}

} // namespace vanta::platform
