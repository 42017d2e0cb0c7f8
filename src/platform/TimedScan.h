#pragma once

#include "platform/KeyPress.h"
#include "platform/ScannerSettings.h"

#include <QString>

namespace vanta::platform {

// Tells a scanner on its factory settings (the code typed faster than any
// person, then Enter) from a person typing, key by key as they arrive. A
// character is held back, not typed, while it may still be part of a scan:
// until a key comes later than the gap allows, or a key that is neither a
// character nor Enter, or the hold times out (expire()). Then the held
// characters are handed back, in order, to go where they were typed. At
// least the shortest code's worth of characters, each at most the gap after
// the one before, and Enter within the gap too, are a scan: nothing of it is
// typed anywhere. Modifier keys alone (Shift for a capital) neither hold
// nor break a run; a repeated key (one held down) is a person's.
class TimedScan {
public:
    enum class Action {
        Pass,    // the key goes on to the focused control
        Hold,    // the key is held back
        Scanned, // the key ends a scan: code() of the result; it is consumed
    };
    struct Result {
        int giveBack = 0; // characters held so far, to be typed before this key
        Action action = Action::Pass;
        QString code;
    };

    explicit TimedScan(const ScannerSettings &settings) : mGapMs(settings.keyGapMs), mMinLength(settings.minLength) {}

    bool enabled() const { return mGapMs > 0; }
    // `atMs`: when the key was pressed (the window system's time stamp).
    Result feed(const KeyPress &key, qint64 atMs, bool autoRepeat = false);
    // Nothing came since: the characters held are handed back. How many.
    int expire();
    int held() const { return int(mHeld.size()); }
    // How long after the last held key expire() is due: the gap, with room
    // for a key already on its way.
    int holdMs() const { return mGapMs + 20; }

private:
    int mGapMs;
    int mMinLength;
    QString mHeld;
    qint64 mLastMs = 0;
};

} // namespace vanta::platform
