#include "platform/QuietPrompt.h"

namespace vanta::platform {

Answer QuietPrompt::message(const QString &text, Buttons buttons, Icon, const QString &)
{
    mMessages << text;
    switch (buttons) {
    case Buttons::Ok: return Answer::Ok;
    case Buttons::YesNo: return Answer::No;
    case Buttons::AbortRetryIgnore: return Answer::Abort;
    case Buttons::OkCancel:
    case Buttons::YesNoCancel:
    case Buttons::RetryCancel: return Answer::Cancel;
    }
    return Answer::Cancel;
}

std::optional<QString> QuietPrompt::input(const QString &prompt, const QString &, const QString &)
{
    mMessages << prompt;
    return std::nullopt;
}

std::optional<QString> QuietPrompt::openFile(const QString &, const QString &, const QString &) { return std::nullopt; }

std::optional<QString> QuietPrompt::saveFile(const QString &, const QString &, const QString &) { return std::nullopt; }

std::optional<QString> QuietPrompt::chooseFolder(const QString &, const QString &) { return std::nullopt; }

QStringList QuietPrompt::take()
{
    QStringList out;
    out.swap(mMessages);
    return out;
}

} // namespace vanta::platform
