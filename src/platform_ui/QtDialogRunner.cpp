#include "platform_ui/QtDialogRunner.h"

#include <QDialog>

namespace vanta::platform {

int QtDialogRunner::run(QDialog &dlg)
{
    return dlg.exec();
}

} // namespace vanta::platform
