#include "platform/Utility.h"

#include "diagnostics/ApplicationTitle.h"
#include "platform/Prompt.h"

#include <QFileInfo>

namespace vanta::platform {

bool FileExists(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

void ShowAbout(Prompt &prompt)
{
    prompt.message(applicationTitle() + QStringLiteral("\n\nVersion ") + QStringLiteral(VANTA_VERSION)
                       + QStringLiteral("\n\nFree software under the MIT License."),
                   Buttons::Ok, Icon::Information, QStringLiteral("About ") + applicationTitle());
}

} // namespace vanta::platform
