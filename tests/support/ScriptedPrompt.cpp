#include "support/ScriptedPrompt.h"

#include "diagnostics/ApplicationTitle.h"

#include <stdexcept>

namespace vanta::test {

Answer firstButton(Buttons buttons)
{
    switch (buttons) {
    case Buttons::YesNo:
    case Buttons::YesNoCancel: return Answer::Yes;
    case Buttons::RetryCancel: return Answer::Retry;
    case Buttons::AbortRetryIgnore: return Answer::Abort;
    case Buttons::Ok:
    case Buttons::OkCancel: break;
    }
    return Answer::Ok;
}

ScriptedPrompt &ScriptedPrompt::answer(Answer a)
{
    mMessageAnswers.push_back(a);
    return *this;
}

ScriptedPrompt &ScriptedPrompt::answerInput(const QString &text)
{
    mInputAnswers.push_back({false, text});
    return *this;
}

ScriptedPrompt &ScriptedPrompt::cancelInput()
{
    mInputAnswers.push_back({true, QString()});
    return *this;
}

ScriptedPrompt &ScriptedPrompt::answerOpenFile(const QString &path)
{
    mFileAnswers.push_back({false, path});
    return *this;
}

ScriptedPrompt &ScriptedPrompt::cancelOpenFile()
{
    mFileAnswers.push_back({true, QString()});
    return *this;
}

ScriptedPrompt &ScriptedPrompt::during(std::function<void()> action)
{
    mDuring.push_back(std::move(action));
    return *this;
}

void ScriptedPrompt::whileOpen()
{
    if (mDuring.empty())
        return;
    const std::function<void()> action = std::move(mDuring.front());
    mDuring.pop_front();
    action();
}

PromptRequest &ScriptedPrompt::record(PromptRequest::Kind kind, const QString &text, const QString &title)
{
    PromptRequest r;
    r.kind = kind;
    r.text = text;
    r.title = title.isEmpty() ? applicationTitle() : title;
    mRequests.append(r);
    return mRequests.last();
}

std::optional<QString> ScriptedPrompt::take(std::deque<Reply> &queue, PromptRequest &request)
{
    if (queue.empty()) {
        request.ranDry = true;
        return std::nullopt;
    }
    const Reply reply = queue.front();
    queue.pop_front();
    if (reply.cancelled)
        return std::nullopt;
    return reply.text;
}

Answer ScriptedPrompt::message(const QString &text, Buttons buttons, Icon icon, const QString &title)
{
    PromptRequest &r = record(PromptRequest::Kind::Message, text, title);
    r.icon = icon;
    r.buttons = buttons;
    Answer a = firstButton(buttons);
    if (mMessageAnswers.empty()) {
        r.ranDry = true;
    } else {
        a = mMessageAnswers.front();
        mMessageAnswers.pop_front();
    }
    whileOpen();
    return a;
}

std::optional<QString> ScriptedPrompt::input(const QString &prompt, const QString &title,
                                             const QString &defaultText)
{
    PromptRequest &r = record(PromptRequest::Kind::Input, prompt, title);
    r.defaultText = defaultText;
    const std::optional<QString> answer = take(mInputAnswers, r);
    whileOpen();
    return answer;
}

std::optional<QString> ScriptedPrompt::openFile(const QString &title, const QString &filter,
                                                const QString &folder)
{
    PromptRequest &r = record(PromptRequest::Kind::OpenFile, QString(), title);
    r.filter = filter;
    r.folder = folder;
    const std::optional<QString> answer = take(mFileAnswers, r);
    whileOpen();
    return answer;
}

std::optional<QString> ScriptedPrompt::chooseFolder(const QString &title, const QString &folder)
{
    PromptRequest &r = record(PromptRequest::Kind::Folder, QString(), title);
    r.folder = folder;
    const std::optional<QString> answer = take(mFileAnswers, r);
    whileOpen();
    return answer;
}

std::optional<QString> ScriptedPrompt::saveFile(const QString &title, const QString &filter, const QString &suggested)
{
    PromptRequest &r = record(PromptRequest::Kind::SaveFile, QString(), title);
    r.filter = filter;
    r.folder = suggested;
    const std::optional<QString> answer = take(mFileAnswers, r);
    whileOpen();
    return answer;
}

const PromptRequest &ScriptedPrompt::last() const
{
    if (mRequests.isEmpty())
        throw std::out_of_range("ScriptedPrompt: no request was made");
    return mRequests.last();
}

QStringList ScriptedPrompt::texts() const
{
    QStringList out;
    for (const auto &r : mRequests)
        if (r.kind != PromptRequest::Kind::OpenFile)
            out << r.text;
    return out;
}

bool ScriptedPrompt::ranDry() const
{
    for (const auto &r : mRequests)
        if (r.ranDry)
            return true;
    return false;
}

int ScriptedPrompt::pending() const
{
    return int(mMessageAnswers.size() + mInputAnswers.size() + mFileAnswers.size());
}

void ScriptedPrompt::clearRecord()
{
    mRequests.clear();
    mBeeps = 0;
}

} // namespace vanta::test
