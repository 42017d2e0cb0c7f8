#pragma once

#include "platform/DialogRunner.h"
#include "platform/ModalActivity.h"

namespace vanta::platform {

// Passes every dialog on to another runner and counts it as open while it is.
class TrackedDialogRunner : public DialogRunner {
public:
    TrackedDialogRunner(DialogRunner &inner, ModalActivity &activity) : mInner(inner), mActivity(activity) {}

    int run(QDialog &dlg) override
    {
        const ModalActivity::Scope open(mActivity);
        return mInner.run(dlg);
    }

private:
    DialogRunner &mInner;
    ModalActivity &mActivity;
};

} // namespace vanta::platform
