#include "platform_ui/KeyboardHook.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace vanta::platform {

KeyboardHook::KeyboardHook(Handler handler, QObject *parent) : QObject(parent), mHandler(std::move(handler))
{
    QCoreApplication::instance()->installEventFilter(this);
}

KeyboardHook::~KeyboardHook()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
}

KeyPress KeyboardHook::translate(const QKeyEvent &event)
{
    KeyPress k;
    const Qt::KeyboardModifiers mods = event.modifiers();
    if (mods & Qt::ShiftModifier)
        k.shift |= 1;
    if (mods & Qt::ControlModifier)
        k.shift |= 2;
    if (mods & Qt::AltModifier)
        k.shift |= 4;
    const int key = event.key();
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z)) {
        k.keyCode = key; // the same codes as the characters
    } else {
        switch (key) {
        case Qt::Key_Control: k.keyCode = 17; break;
        case Qt::Key_Shift: k.keyCode = 16; break;
        case Qt::Key_Alt: k.keyCode = 18; break;
        case Qt::Key_BracketRight: case Qt::Key_BraceRight: k.keyCode = 221; break;
        case Qt::Key_Backslash: case Qt::Key_Bar: k.keyCode = 220; break;
        // Ctrl+Shift+6 arrives as the shifted symbol on most layouts.
        case Qt::Key_AsciiCircum: k.keyCode = 54; break;
        case Qt::Key_Return: case Qt::Key_Enter: k.keyCode = 13; break;
        case Qt::Key_Tab: k.keyCode = 9; break;
        case Qt::Key_Backspace: k.keyCode = 8; break;
        case Qt::Key_Escape: k.keyCode = 27; break;
        case Qt::Key_Space: k.keyCode = 32; break;
        default: k.keyCode = int(event.nativeVirtualKey() & 0xffff); break;
        }
    }
    // The character typed, when it is a printable one (with Ctrl held the
    // text is a control character, which is of no use).
    const QString text = event.text();
    if (text.size() == 1 && text.at(0).isPrint())
        k.text = text;
    return k;
}

// Keys are taken where the window system delivers them, at the window, so
// each press is seen exactly once and before any widget (a press that a
// widget ignores travels on to its parents, through this filter again).
bool KeyboardHook::eventFilter(QObject *watched, QEvent *event)
{
    if (!watched->isWindowType())
        return false;
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto *ke = static_cast<QKeyEvent *>(event);
        if (mHandler && mHandler(translate(*ke))) {
            mSwallowRelease = true;
            mConsumedKey = ke->key();
            return true;
        }
        return false;
    }
    case QEvent::KeyRelease: {
        auto *ke = static_cast<QKeyEvent *>(event);
        if (mSwallowRelease && ke->key() == mConsumedKey) {
            mSwallowRelease = false;
            return true;
        }
        return false;
    }
    default:
        return false;
    }
}

} // namespace vanta::platform
