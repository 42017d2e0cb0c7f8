#include "register/DeferredMessage.h"

#include "diagnostics/Trace.h"

#include <QScopeGuard>

namespace vanta {

DeferredMessage::DeferredMessage(platform::Prompt &prompt, platform::ModalActivity &modals)
    : mPrompt(prompt), mModals(modals)
{
    mTimer.setSingleShot(true);
    mTimer.setInterval(200);
    QObject::connect(&mTimer, &QTimer::timeout, [this] { show(); });
}

void DeferredMessage::queue(const QString &text, platform::Buttons buttons, platform::Icon icon,
                            const QString &title)
{
    diag::run("frmPOS", "QueueMessage", [&] {
        mPending = Pending{text, buttons, icon, title};
        if (!mOpen)
            mOpen.emplace(mModals);
        mTimer.start();
    });
}

void DeferredMessage::show()
{
    diag::run("frmPOS", "tmrMessage_Timer", [&] {
        const auto shown = qScopeGuard([this] { mOpen.reset(); });
        mPrompt.message(mPending.text, mPending.buttons, mPending.icon, mPending.title);
    });
}

} // namespace vanta
