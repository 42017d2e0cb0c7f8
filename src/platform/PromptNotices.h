#pragma once

#include "diagnostics/Trace.h"

namespace vanta::platform {

class Prompt;

// Shows the procedure trace's boxes through the prompt: warnings with an
// exclamation icon, internal errors and plain error reports as critical.
class PromptNotices : public diag::TraceNotices {
public:
    explicit PromptNotices(Prompt &prompt) : mPrompt(prompt) {}
    void notify(const Notice &notice) override;

private:
    Prompt &mPrompt;
};

} // namespace vanta::platform
