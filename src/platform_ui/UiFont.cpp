#include "platform_ui/UiFont.h"

#include <QFontDatabase>

namespace vanta::platform {

QFont uiFont(qreal pointSize)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    if (pointSize > 0)
        font.setPointSizeF(pointSize);
    return font;
}

} // namespace vanta::platform
