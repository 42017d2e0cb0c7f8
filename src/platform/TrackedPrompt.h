#pragma once

#include "platform/ModalActivity.h"
#include "platform/Prompt.h"

namespace vanta::platform {

// Passes every box on to another prompt and counts it as open while it is.
class TrackedPrompt : public Prompt {
public:
    TrackedPrompt(Prompt &inner, ModalActivity &activity) : mInner(inner), mActivity(activity) {}

    Answer message(const QString &text, Buttons buttons, Icon icon, const QString &title) override;
    std::optional<QString> input(const QString &prompt, const QString &title,
                                 const QString &defaultText = QString()) override;
    std::optional<QString> saveFile(const QString &title, const QString &filter, const QString &suggested) override;
    std::optional<QString> openFile(const QString &title, const QString &filter,
                                    const QString &folder) override;
    std::optional<QString> chooseFolder(const QString &title, const QString &folder) override;
    void beep() override { mInner.beep(); }

private:
    Prompt &mInner;
    ModalActivity &mActivity;
};

} // namespace vanta::platform
