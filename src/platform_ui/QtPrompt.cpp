#include "platform_ui/QtPrompt.h"

#include "diagnostics/ApplicationTitle.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

namespace vanta::platform {

namespace {

QString shownTitle(const QString &title)
{
    return title.isEmpty() ? applicationTitle() : title;
}

QMessageBox::Icon toQt(Icon icon)
{
    switch (icon) {
    case Icon::Information: return QMessageBox::Information;
    case Icon::Exclamation: return QMessageBox::Warning;
    case Icon::Critical: return QMessageBox::Critical;
    case Icon::Question: return QMessageBox::Question;
    case Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

// The buttons of a set, the first one being the default.
QList<QMessageBox::StandardButton> toQt(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok: return {QMessageBox::Ok};
    case Buttons::OkCancel: return {QMessageBox::Ok, QMessageBox::Cancel};
    case Buttons::YesNo: return {QMessageBox::Yes, QMessageBox::No};
    case Buttons::YesNoCancel: return {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
    case Buttons::RetryCancel: return {QMessageBox::Retry, QMessageBox::Cancel};
    case Buttons::AbortRetryIgnore: return {QMessageBox::Abort, QMessageBox::Retry, QMessageBox::Ignore};
    }
    return {QMessageBox::Ok};
}

Answer fromQt(int button, Buttons buttons)
{
    switch (button) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Cancel: return Answer::Cancel;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Retry: return Answer::Retry;
    case QMessageBox::Abort: return Answer::Abort;
    case QMessageBox::Ignore: return Answer::Ignore;
    default: break;
    }
    // Closed by the window's close button or Escape without a cancel button.
    switch (buttons) {
    case Buttons::Ok: return Answer::Ok;
    case Buttons::YesNo: return Answer::No;
    case Buttons::AbortRetryIgnore: return Answer::Abort;
    default: return Answer::Cancel;
    }
}

} // namespace

Answer QtPrompt::message(const QString &text, Buttons buttons, Icon icon, const QString &title)
{
    QMessageBox box(toQt(icon), shownTitle(title), text, QMessageBox::NoButton, mParent);
    const auto list = toQt(buttons);
    for (auto b : list)
        box.addButton(b);
    box.setDefaultButton(list.first());
    if (list.contains(QMessageBox::Cancel))
        box.setEscapeButton(QMessageBox::Cancel);
    box.exec();
    return fromQt(box.standardButton(box.clickedButton()), buttons);
}

std::optional<QString> QtPrompt::input(const QString &prompt, const QString &title,
                                       const QString &defaultText)
{
    bool ok = false;
    const QString text = QInputDialog::getText(mParent, shownTitle(title), prompt, QLineEdit::Normal,
                                               defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

std::optional<QString> QtPrompt::openFile(const QString &title, const QString &filter,
                                          const QString &folder)
{
    const QString file = QFileDialog::getOpenFileName(mParent, shownTitle(title), folder, filter);
    if (file.isEmpty())
        return std::nullopt;
    return file;
}

std::optional<QString> QtPrompt::chooseFolder(const QString &title, const QString &folder)
{
    const QString chosen = QFileDialog::getExistingDirectory(mParent, shownTitle(title), folder);
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
}

std::optional<QString> QtPrompt::saveFile(const QString &title, const QString &filter, const QString &suggested)
{
    const QString file = QFileDialog::getSaveFileName(mParent, shownTitle(title), suggested, filter);
    if (file.isEmpty())
        return std::nullopt;
    return file;
}

void QtPrompt::beep()
{
    QApplication::beep();
}

} // namespace vanta::platform
