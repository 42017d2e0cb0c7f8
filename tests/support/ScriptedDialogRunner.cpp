#include "support/ScriptedDialogRunner.h"

#include "platform_ui/AccessibleNames.h"

#include <QDialog>

namespace vanta::test {

ScriptedDialogRunner &ScriptedDialogRunner::then(Script script)
{
    mScripts.push_back(std::move(script));
    return *this;
}

int ScriptedDialogRunner::run(QDialog &dlg)
{
    mTitles << dlg.windowTitle();
    for (const QWidget *field : platform::typedFields(&dlg))
        if (field->accessibleName().isEmpty())
            mUnnamed << dlg.windowTitle() + QStringLiteral(": ") + field->objectName();
    if (mScripts.empty()) {
        ++mDry;
        dlg.done(QDialog::Rejected);
        return QDialog::Rejected;
    }
    Script script = std::move(mScripts.front());
    mScripts.pop_front();
    dlg.setResult(QDialog::Rejected);
    dlg.show();
    const int result = script(dlg);
    if (dlg.isVisible())
        dlg.done(result);
    return result;
}

} // namespace vanta::test
