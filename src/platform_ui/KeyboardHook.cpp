#include "platform_ui/KeyboardHook.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

namespace vanta::platform {

KeyboardHook::KeyboardHook(Handler handler, QObject *parent) : QObject(parent), mHandler(std::move(handler))
{
    QCoreApplication::instance()->installEventFilter(this);
}

void KeyboardHook::timeScans(const ScannerSettings &settings, std::function<void(const QString &)> scanned)
{
    mTimed = std::make_unique<TimedScan>(settings);
    mScanned = std::move(scanned);
    mHoldExpiry.setSingleShot(true);
    connect(&mHoldExpiry, &QTimer::timeout, this, [this] {
        // Started at the first key held and not restarted for every key (a
        // scan would pay for a dozen timer restarts): due again while keys
        // keep coming.
        const qint64 left = mTimed->holdMs() - mLastHeld.elapsed();
        if (left > 0)
            mHoldExpiry.start(int(left));
        else
            giveBack(mTimed->expire());
    });
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
        case Qt::Key_BracketLeft: case Qt::Key_BraceLeft: k.keyCode = 219; break;
        case Qt::Key_Space: k.keyCode = 32; break;
        default:
            if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
                k.keyCode = 112 + (key - Qt::Key_F1);
            else
                k.keyCode = int(event.nativeVirtualKey() & 0xffff);
            break;
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
        const KeyPress key = translate(*ke);
        if (mHandler && mHandler(key)) {
            if (mTimed)
                giveBack(mTimed->expire()); // typed before a framed code began
            consumed(ke->key());
            return true;
        }
        // An open menu or list, or a widget that grabbed the keyboard, takes
        // keys of its own (a letter picks an entry): they go to it at once.
        if (!mTimed || QApplication::activePopupWidget() || QWidget::keyboardGrabber())
            return false;
        return timedKey(*ke, static_cast<QWindow *>(watched)->focusObject(), key);
    }
    case QEvent::KeyRelease: {
        auto *ke = static_cast<QKeyEvent *>(event);
        return mSwallowReleases.removeOne(ke->key());
    }
    default:
        return false;
    }
}

// The timed capture's part: true when the key is held back or ends a scan.
// `receiver`: what the window would hand the key to (its focus widget).
bool KeyboardHook::timedKey(const QKeyEvent &event, QObject *receiver, const KeyPress &key)
{
    const TimedScan::Result r = mTimed->feed(key, qint64(event.timestamp()), event.isAutoRepeat());
    giveBack(r.giveBack);
    switch (r.action) {
    case TimedScan::Action::Pass:
        return false;
    case TimedScan::Action::Hold:
        mHeld << HeldKey{receiver, event.key(), event.modifiers(), event.text()};
        mLastHeld.start();
        if (!mHoldExpiry.isActive())
            mHoldExpiry.start(mTimed->holdMs());
        consumed(event.key());
        return true;
    case TimedScan::Action::Scanned:
        mHoldExpiry.stop();
        mHeld.clear();
        consumed(event.key());
        if (mScanned)
            mScanned(r.code);
        return true;
    }
    return false;
}

// The oldest `count` keys held back are typed, in order, into the widgets
// they were typed in (a widget closed meanwhile gets none).
void KeyboardHook::giveBack(int count)
{
    if (count <= 0)
        return;
    const QList<HeldKey> keys = mHeld.mid(0, count);
    mHeld.remove(0, qMin(qsizetype(count), mHeld.size()));
    if (mHeld.isEmpty())
        mHoldExpiry.stop();
    for (const HeldKey &k : keys) {
        if (!k.target)
            continue;
        QKeyEvent press(QEvent::KeyPress, k.key, k.modifiers, k.text);
        QCoreApplication::sendEvent(k.target, &press);
        if (!k.target)
            continue;
        QKeyEvent release(QEvent::KeyRelease, k.key, k.modifiers, k.text);
        QCoreApplication::sendEvent(k.target, &release);
    }
}

} // namespace vanta::platform
