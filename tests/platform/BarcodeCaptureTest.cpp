#include "platform/BarcodeCapture.h"

#include <QStringList>
#include <gtest/gtest.h>

using vanta::platform::BarcodeCapture;
using vanta::platform::KeyPress;
using Step = BarcodeCapture::Step;

namespace {

const KeyPress kStart{221, 2, {}};       // Ctrl+]
const KeyPress kEnd{220, 2, {}};         // Ctrl+"\"
const KeyPress kCaretEnd{54, 3, {}};     // Ctrl+Shift+6
const KeyPress kCtrl{17, 2, {}};
const KeyPress kShift{16, 1, {}};

KeyPress typed(char c, int shift = 0)
{
    const int code = (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c;
    return {code, shift, QString(QChar(c))};
}

// Feeds the keys; returns the codes completed and how many keys were consumed.
struct Fed {
    QStringList codes;
    int consumed = 0;
};
Fed feed(BarcodeCapture &capture, const std::vector<KeyPress> &keys)
{
    Fed out;
    for (const KeyPress &k : keys) {
        const BarcodeCapture::Result r = capture.feed(k);
        out.consumed += r.consumed() ? 1 : 0;
        if (r.step == Step::Completed)
            out.codes << r.code;
    }
    return out;
}

} // namespace

TEST(BarcodeCapture, FramedCodesAreCapturedAsTypedAndEveryKeyOfThemIsConsumed)
{
    BarcodeCapture capture;
    // Digits, a letter typed with Shift (the Shift key itself adds nothing),
    // lower case and punctuation as typed, Ctrl inside the code ignored.
    const Fed fed = feed(capture, {kStart, typed('0'), typed('7'), kShift, typed('V', 1), typed('a'), typed('-'),
                                   kCtrl, typed('.'), kEnd});
    EXPECT_EQ(fed.codes, QStringList{"07Va-."});
    EXPECT_EQ(fed.consumed, 10);
    EXPECT_FALSE(capture.scanning());

    // Ctrl+Shift+6 ends a code too; a key without a character adds its
    // code when it is a digit or a capital letter, and nothing otherwise.
    const Fed caret = feed(capture, {kStart, {'4', 2, {}}, {'Q', 2, {}}, {112, 0, {}}, kCaretEnd});
    EXPECT_EQ(caret.codes, QStringList{"4Q"});
    EXPECT_EQ(caret.consumed, 5);
}

TEST(BarcodeCapture, KeysOutsideACodeReachTheFocusedControl)
{
    BarcodeCapture capture;
    // Ctrl+] with Shift is no start key, "]" alone neither; 6 with Ctrl only
    // and "\" without Ctrl end nothing.
    const Fed fed = feed(capture, {typed('1'), {221, 3, {}}, {221, 0, "]"}, {54, 2, {}}, {220, 0, "\\"}, kCtrl});
    EXPECT_TRUE(fed.codes.isEmpty());
    EXPECT_EQ(fed.consumed, 0);
    EXPECT_FALSE(capture.scanning());
}

TEST(BarcodeCapture, StartAgainRestartsAndEndAloneCompletesAnEmptyCode)
{
    BarcodeCapture capture;
    // No time limit: a start key without an end key keeps capturing, and the
    // next start key empties the code again.
    EXPECT_EQ(feed(capture, {kStart, typed('1'), typed('2')}).codes, QStringList{});
    EXPECT_TRUE(capture.scanning());
    EXPECT_EQ(feed(capture, {kStart, typed('3'), kEnd}).codes, QStringList{"3"});
    // An end key always completes a code; a stray one after a scan completes
    // an empty code, not the last one again (which would sell it twice).
    EXPECT_EQ(feed(capture, {kEnd}).codes, QStringList{""});
    EXPECT_EQ(feed(capture, {kStart, kEnd}).codes, QStringList{""});
}
