#pragma once

#include "platform/DialogRunner.h"

namespace vanta::platform {

// Runs each dialog in its own event loop.
class QtDialogRunner : public DialogRunner {
public:
    int run(QDialog &dlg) override;
};

} // namespace vanta::platform
