#include "platform/TrackedPrompt.h"

namespace vanta::platform {

Answer TrackedPrompt::message(const QString &text, Buttons buttons, Icon icon, const QString &title)
{
    const ModalActivity::Scope open(mActivity);
    return mInner.message(text, buttons, icon, title);
}

std::optional<QString> TrackedPrompt::input(const QString &prompt, const QString &title,
                                            const QString &defaultText)
{
    const ModalActivity::Scope open(mActivity);
    return mInner.input(prompt, title, defaultText);
}

std::optional<QString> TrackedPrompt::openFile(const QString &title, const QString &filter,
                                               const QString &folder)
{
    const ModalActivity::Scope open(mActivity);
    return mInner.openFile(title, filter, folder);
}

std::optional<QString> TrackedPrompt::chooseFolder(const QString &title, const QString &folder)
{
    const ModalActivity::Scope open(mActivity);
    return mInner.chooseFolder(title, folder);
}

std::optional<QString> TrackedPrompt::saveFile(const QString &title, const QString &filter, const QString &suggested)
{
    const ModalActivity::Scope open(mActivity);
    return mInner.saveFile(title, filter, suggested);
}

} // namespace vanta::platform
