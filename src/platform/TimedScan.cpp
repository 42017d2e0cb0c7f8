#include "platform/TimedScan.h"

namespace vanta::platform {

namespace {
constexpr int kEnter = 13;
constexpr int kShiftKey = 16, kCtrlKey = 17, kAltKey = 18;

bool isModifier(const KeyPress &key)
{
    return key.keyCode == kShiftKey || key.keyCode == kCtrlKey || key.keyCode == kAltKey;
}

// A character a scanner types: printable, with no Ctrl or Alt held.
bool isCharacter(const KeyPress &key) { return key.text.size() == 1 && (key.shift & ~1) == 0; }
} // namespace

TimedScan::Result TimedScan::feed(const KeyPress &key, qint64 atMs, bool autoRepeat)
{
    if (!enabled() || isModifier(key))
        return {};
    const bool inTime = !mHeld.isEmpty() && atMs - mLastMs >= 0 && atMs - mLastMs <= mGapMs;
    if (isCharacter(key) && !autoRepeat) {
        const int giveBack = inTime ? 0 : expire();
        mHeld += key.text;
        mLastMs = atMs;
        return {giveBack, Action::Hold, {}};
    }
    if (key.keyCode == kEnter && key.shift == 0 && inTime && mHeld.size() >= mMinLength) {
        Result scan{0, Action::Scanned, mHeld};
        mHeld.clear();
        return scan;
    }
    return {expire(), Action::Pass, {}};
}

int TimedScan::expire()
{
    const int n = int(mHeld.size());
    mHeld.clear();
    return n;
}

} // namespace vanta::platform
