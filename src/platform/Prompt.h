#pragma once

#include <QString>
#include <optional>

namespace vanta::platform {

enum class Icon { None, Information, Exclamation, Critical, Question };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
enum class Answer { Ok, Cancel, Yes, No, Retry, Abort, Ignore };

// Every message box, input box and open-file dialog goes through this
// interface: Qt dialogs in the program, a script in the tests.
class Prompt {
public:
    virtual ~Prompt() = default;
    // An empty title shows the application's title.
    virtual Answer message(const QString &text, Buttons buttons, Icon icon, const QString &title) = 0;
    // An input box; nullopt when cancelled.
    virtual std::optional<QString> input(const QString &prompt, const QString &title,
                                         const QString &defaultText = QString()) = 0;
    // An open-file dialog; nullopt when cancelled.
    virtual std::optional<QString> openFile(const QString &title, const QString &filter,
                                            const QString &folder) = 0;
    // A save-file dialog starting at `suggested` (a folder and a name);
    // nullopt when cancelled.
    virtual std::optional<QString> saveFile(const QString &title, const QString &filter,
                                            const QString &suggested) = 0;
    // A folder dialog starting in `folder`; nullopt when cancelled.
    virtual std::optional<QString> chooseFolder(const QString &title, const QString &folder) = 0;
    virtual void beep() {}
};

} // namespace vanta::platform
