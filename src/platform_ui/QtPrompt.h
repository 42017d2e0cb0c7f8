#pragma once

#include "platform/Prompt.h"

class QWidget;

namespace vanta::platform {

// The program's prompt: Qt message boxes, input dialogs and file dialogs,
// modal over the given parent window.
class QtPrompt : public Prompt {
public:
    explicit QtPrompt(QWidget *parent = nullptr) : mParent(parent) {}
    void setParent(QWidget *parent) { mParent = parent; }

    Answer message(const QString &text, Buttons buttons, Icon icon, const QString &title) override;
    std::optional<QString> input(const QString &prompt, const QString &title,
                                 const QString &defaultText = QString()) override;
    std::optional<QString> saveFile(const QString &title, const QString &filter, const QString &suggested) override;
    std::optional<QString> openFile(const QString &title, const QString &filter,
                                    const QString &folder) override;
    std::optional<QString> chooseFolder(const QString &title, const QString &folder) override;
    void beep() override;

private:
    QWidget *mParent;
};

} // namespace vanta::platform
