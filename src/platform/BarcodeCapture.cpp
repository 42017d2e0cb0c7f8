#include "platform/BarcodeCapture.h"

namespace vanta::platform {

namespace {
constexpr int kStartKey = 221;   // "]"
constexpr int kEndKey = 220;     // "\"
constexpr int kAltEndKey = 54;   // "6"
constexpr int kCtrlKey = 17;
constexpr int kCtrl = 2;
constexpr int kCtrlShift = 3;

bool isDigitOrCapital(int keyCode)
{
    return (keyCode >= '0' && keyCode <= '9') || (keyCode >= 'A' && keyCode <= 'Z');
}
} // namespace

BarcodeCapture::Result BarcodeCapture::feed(const KeyPress &key)
{
    if (key.keyCode == kStartKey && key.shift == kCtrl) {
        mScanning = true;
        mBuffer.clear();
        return {Step::Started, {}};
    }
    if ((key.keyCode == kEndKey && key.shift == kCtrl) || (key.keyCode == kAltEndKey && key.shift == kCtrlShift)) {
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
