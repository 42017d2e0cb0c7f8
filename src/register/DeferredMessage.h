#pragma once

#include "platform/ModalActivity.h"
#include "platform/Prompt.h"

#include <QTimer>
#include <optional>

namespace vanta {

// A message shown a moment after it is raised, once the code that raised it
// has finished: a scan that found nothing, a damaged store found in the
// background. Scans wait while it is still to be shown; a newer message
// replaces one not yet shown.
class DeferredMessage {
public:
    DeferredMessage(platform::Prompt &prompt, platform::ModalActivity &modals);

    void queue(const QString &text, platform::Buttons buttons, platform::Icon icon, const QString &title);

private:
    void show();

    platform::Prompt &mPrompt;
    platform::ModalActivity &mModals;
    QTimer mTimer;
    struct Pending {
        QString text;
        platform::Buttons buttons = platform::Buttons::Ok;
        platform::Icon icon = platform::Icon::None;
        QString title;
    } mPending;
    std::optional<platform::ModalActivity::Scope> mOpen;
};

} // namespace vanta
