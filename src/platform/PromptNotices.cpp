#include "platform/PromptNotices.h"

#include "platform/Prompt.h"

namespace vanta::platform {

void PromptNotices::notify(const Notice &notice)
{
    if (notice.beep)
        mPrompt.beep();
    mPrompt.message(notice.text, Buttons::Ok, notice.critical ? Icon::Critical : Icon::Exclamation, notice.title);
}

} // namespace vanta::platform
