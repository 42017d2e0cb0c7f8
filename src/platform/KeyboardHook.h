#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QKeyEvent;

namespace vanta::platform {

// One key press as the register's key handler sees it: the virtual key code
// (digits and capital letters are their character codes; 17 Ctrl, 220 "\",
// 221 "]", 54 "6"), the shift state (1 Shift, 2 Ctrl, 4 Alt, added up) and
// the character the key typed, if any.
struct KeyPress {
    int keyCode = 0;
    int shift = 0;
    QString text;
};

// Sees every key press of the application before the focused widget does and
// lets the handler consume it (an application-wide event filter). A consumed
// key never reaches a widget, nor does its release or any shortcut.
class KeyboardHook : public QObject {
    Q_OBJECT
public:
    // Returns true to consume the key.
    using Handler = std::function<bool(const KeyPress &)>;

    explicit KeyboardHook(Handler handler, QObject *parent = nullptr);
    ~KeyboardHook() override;

    static KeyPress translate(const QKeyEvent &event);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Handler mHandler;
    bool mSwallowRelease = false;
    int mConsumedKey = 0;
};

} // namespace vanta::platform
