#include "platform/BarcodeCapture.h"

#include <algorithm>

namespace vanta::platform {

namespace {
constexpr int kCtrlKey = 17;

bool isDigitOrCapital(int keyCode)
{
    return (keyCode >= '0' && keyCode <= '9') || (keyCode >= 'A' && keyCode <= 'Z');
}
} // namespace

BarcodeCapture::Result BarcodeCapture::feed(const KeyPress &key)
{
    const auto any = [&key](const QList<ScanKey> &keys) {
        return std::any_of(keys.begin(), keys.end(), [&key](const ScanKey &k) { return k.matches(key); });
    };
    if (any(mKeys.prefix)) {
        mScanning = true;
        mBuffer.clear();
        return {Step::Started, {}};
    }
    if (any(mKeys.suffix)) {
        mScanning = false;
        // The code is handed out once: a stray end key later completes an
        // empty code instead of selling the last item again.
        Result done{Step::Completed, mBuffer};
        mBuffer.clear();
        return done;
    }
    if (!mScanning)
        return {Step::Passed, {}};
    // Inside a code every key is consumed. The character typed is kept as it
    // was typed; modifier keys (Ctrl, Shift) add nothing.
    if (key.keyCode != kCtrlKey) {
        if (!key.text.isEmpty())
            mBuffer += key.text;
        else if (isDigitOrCapital(key.keyCode))
            mBuffer += QChar(key.keyCode);
    }
    return {Step::Captured, {}};
}

} // namespace vanta::platform
