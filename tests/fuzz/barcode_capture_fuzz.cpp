// The scanner's key stream: any sequence of key presses, framed or not.
// Each key is three bytes: the key code, then the shift state (low three
// bits; bit 3 says the key typed a character, bit 4 makes it a character
// outside Latin-1), then the character.
#include "platform/BarcodeCapture.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using vanta::platform::BarcodeCapture;
using vanta::platform::KeyPress;

namespace {

KeyPress decode(const uint8_t *k)
{
    KeyPress key;
    key.keyCode = k[0];
    key.shift = k[1] & 7;
    if (k[1] & 8)
        key.text = QString(QChar((k[1] & 16) ? char16_t(k[2] << 8 | k[0]) : char16_t(k[2])));
    return key;
}

bool isStart(const KeyPress &k) { return k.keyCode == 221 && k.shift == 2; }
bool isEnd(const KeyPress &k) { return (k.keyCode == 220 && k.shift == 2) || (k.keyCode == 54 && k.shift == 3); }

void check(bool condition)
{
    if (!condition)
        abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    BarcodeCapture capture;
    qsizetype keysInCode = 0; // keys since the last start or end key
    for (size_t at = 0; at + 3 <= size; at += 3) {
        const KeyPress key = decode(data + at);
        const bool wasScanning = capture.scanning();
        const BarcodeCapture::Result r = capture.feed(key);
        // Framing keys are always taken; other keys only inside a code.
        check(r.consumed() == (isStart(key) || isEnd(key) || wasScanning));
        check((r.step == BarcodeCapture::Step::Completed) == isEnd(key));
        check(r.step == BarcodeCapture::Step::Completed || r.code.isEmpty());
        if (isStart(key) || isEnd(key)) {
            // Each key adds at most one character to a code.
            check(r.code.size() <= keysInCode);
            keysInCode = 0;
        } else if (wasScanning) {
            ++keysInCode;
        }
        check(capture.scanning() == (isStart(key) || (wasScanning && !isEnd(key))));
    }
    return 0;
}
