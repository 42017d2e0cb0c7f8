#pragma once

#include "platform/KeyPress.h"

#include <QObject>
#include <functional>

class QKeyEvent;

namespace vanta::platform {

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
