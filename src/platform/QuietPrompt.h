#pragma once

#include "platform/Prompt.h"

#include <QStringList>

namespace vanta::platform {

// The prompt of work done with no one watching (sales posted in the
// background once the server is back): it shows nothing and keeps the text
// of every message, so that the work can report them afterwards. A question
// is answered No (or Cancel, or Ok where that is the only choice); an input
// or file dialog is cancelled.
class QuietPrompt : public Prompt {
public:
    Answer message(const QString &text, Buttons buttons, Icon icon, const QString &title) override;
    std::optional<QString> input(const QString &prompt, const QString &title, const QString &defaultText) override;
    std::optional<QString> openFile(const QString &title, const QString &filter, const QString &folder) override;
    std::optional<QString> saveFile(const QString &title, const QString &filter, const QString &suggested) override;
    std::optional<QString> chooseFolder(const QString &title, const QString &folder) override;

    // The messages since the last take, oldest first; forgotten here.
    QStringList take();

private:
    QStringList mMessages;
};

} // namespace vanta::platform
