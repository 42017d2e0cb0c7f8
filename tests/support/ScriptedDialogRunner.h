#pragma once

#include "platform/DialogRunner.h"

#include <QStringList>
#include <deque>
#include <functional>

namespace vanta::test {

// Runs each dialog with the next queued script, without an event loop: the
// dialog is shown, the script drives it (clicks, keys, done()) and returns
// the result code. A dialog still open afterwards is closed with that code.
// With no script left the dialog is rejected without being shown.
class ScriptedDialogRunner : public platform::DialogRunner {
public:
    using Script = std::function<int(QDialog &)>;

    ScriptedDialogRunner &then(Script script);
    int run(QDialog &dlg) override;

    // Window titles of the dialogs run, in order.
    const QStringList &titles() const { return mTitles; }
    int runs() const { return int(mTitles.size()); }
    int dryRuns() const { return mDry; }
    int pending() const { return int(mScripts.size()); }
    // Fields of the dialogs run that a screen reader could not name
    // ("title: object name").
    const QStringList &unnamedFields() const { return mUnnamed; }

private:
    std::deque<Script> mScripts;
    QStringList mTitles;
    QStringList mUnnamed;
    int mDry = 0;
};

} // namespace vanta::test
