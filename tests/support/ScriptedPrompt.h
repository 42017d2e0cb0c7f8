#pragma once

#include "platform/Prompt.h"

#include <QList>
#include <QStringList>
#include <deque>
#include <functional>

namespace vanta::test {

using platform::Answer;
using platform::Buttons;
using platform::Icon;

// One box the code asked for, as the cashier would have seen it.
struct PromptRequest {
    enum class Kind { Message, Input, OpenFile, SaveFile, Folder };
    Kind kind = Kind::Message;
    QString text;        // message text or input prompt; empty for an open-file dialog
    QString title;       // the title shown: the application's title when none was given
    Icon icon = Icon::None;
    Buttons buttons = Buttons::Ok;
    QString defaultText; // input boxes
    QString filter;      // open-file dialogs
    QString folder;      // open-file and folder dialogs; save-file dialogs: the suggested file
    bool ranDry = false; // no scripted answer was left; the default answer was given

    // The title, icon and text as one line, "Title [Icon] text": the three
    // checked in one comparison.
    QString box() const
    {
        static const char *const icons[] = {"None", "Information", "Exclamation", "Critical", "Question"};
        return title + " [" + icons[int(icon)] + "] " + text;
    }
};

// A prompt for tests and benchmarks: answers from queues filled in advance
// (one per kind of box) and records every request. With its queue empty a
// message box answers its first button (Ok, Yes, Retry or Abort), an input
// box and a file or folder dialog are cancelled, and the request is marked as
// having run dry.
class ScriptedPrompt : public platform::Prompt {
public:
    // Queue answers, consumed in order.
    ScriptedPrompt &answer(Answer a);
    ScriptedPrompt &answerInput(const QString &text);
    ScriptedPrompt &cancelInput();
    // Open-file and folder dialogs take their answers from one queue.
    ScriptedPrompt &answerOpenFile(const QString &path);
    ScriptedPrompt &cancelOpenFile();
    // Runs the action while the next box of any kind is open, after its
    // answer was taken from its queue (boxes the action raises take the
    // answers queued after it): what happens while the cashier reads it.
    ScriptedPrompt &during(std::function<void()> action);

    Answer message(const QString &text, Buttons buttons, Icon icon, const QString &title) override;
    std::optional<QString> input(const QString &prompt, const QString &title,
                                 const QString &defaultText = QString()) override;
    std::optional<QString> openFile(const QString &title, const QString &filter,
                                    const QString &folder) override;
    // Answered from the open-file queue.
    std::optional<QString> saveFile(const QString &title, const QString &filter, const QString &suggested) override;
    std::optional<QString> chooseFolder(const QString &title, const QString &folder) override;
    void beep() override { ++mBeeps; }

    const QList<PromptRequest> &requests() const { return mRequests; }
    int count() const { return int(mRequests.size()); }
    // The last request; throws std::out_of_range when there was none.
    const PromptRequest &last() const;
    // The texts of all requests (messages and input prompts), in order.
    QStringList texts() const;
    // True when any request found no scripted answer.
    bool ranDry() const;
    // Answers still queued, of every kind.
    int pending() const;
    int beeps() const { return mBeeps; }
    // Forgets the recorded requests and beeps; queued answers stay.
    void clearRecord();

private:
    // A queued text answer, or a cancel.
    struct Reply {
        bool cancelled = false;
        QString text;
    };
    PromptRequest &record(PromptRequest::Kind kind, const QString &text, const QString &title);
    static std::optional<QString> take(std::deque<Reply> &queue, PromptRequest &request);
    void whileOpen();

    std::deque<Answer> mMessageAnswers;
    std::deque<Reply> mInputAnswers;
    std::deque<Reply> mFileAnswers;
    std::deque<std::function<void()>> mDuring;
    QList<PromptRequest> mRequests;
    int mBeeps = 0;
};

// The answer a message box gives when its default button is taken.
Answer firstButton(Buttons buttons);

} // namespace vanta::test
