#include "support/ScriptedDialogRunner.h"

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
