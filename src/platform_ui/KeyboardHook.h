#pragma once

#include "platform/KeyPress.h"
#include "platform/TimedScan.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>

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

    // Also takes codes a scanner on its factory settings types (see
    // TimedScan) from the keys the handler leaves: they go to `scanned`
    // and never reach a widget. Characters held back while they might be
    // a scan, and then are not, are typed into the widget that had the
    // focus when they arrived.
    void timeScans(const ScannerSettings &settings, std::function<void(const QString &)> scanned);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // A key held back, to be typed where it was typed if it is no scan.
    struct HeldKey {
        QPointer<QObject> target;
        int key;
        Qt::KeyboardModifiers modifiers;
        QString text;
    };
    bool timedKey(const QKeyEvent &event, QObject *receiver, const KeyPress &key);
    void giveBack(int count);
    void consumed(int key) { mSwallowReleases << key; }

    Handler mHandler;
    QList<int> mSwallowReleases; // keys taken whose release is still to come
    std::unique_ptr<TimedScan> mTimed;
    std::function<void(const QString &)> mScanned;
    QList<HeldKey> mHeld;
    QTimer mHoldExpiry;
    QElapsedTimer mLastHeld; // since the latest key was held back
};

} // namespace vanta::platform
