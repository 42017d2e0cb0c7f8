// Telling a scanner on its factory settings from a person at the keyboard.
#include "platform/BarcodeCapture.h"
#include "platform/ScannerSettings.h"
#include "platform/SettingsStore.h"
#include "platform/TimedScan.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vanta::platform;
using Action = TimedScan::Action;

namespace {

const KeyPress kEnter{13, 0, {}};
const KeyPress kShift{16, 1, {}};
const KeyPress kTab{9, 0, {}};

KeyPress typed(char c) { return {(c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c, 0, QString(QChar(c))}; }

// Types `text` with `gapMs` between keys, then Enter `enterGapMs` after the
// last; returns the codes scanned and the characters typed through to the
// focused box, in order.
struct Typed {
    QStringList scanned;
    QString reachedBox;
};
Typed type(TimedScan &scan, const QString &text, int gapMs, int enterGapMs)
{
    Typed out;
    QString held;
    qint64 at = 1000;
    const auto apply = [&](const KeyPress &key, const TimedScan::Result &r) {
        out.reachedBox += held.left(r.giveBack);
        held.remove(0, r.giveBack);
        if (r.action == Action::Hold)
            held += key.text;
        else if (r.action == Action::Scanned)
            out.scanned << r.code;
        else if (!key.text.isEmpty())
            out.reachedBox += key.text;
        else if (key.keyCode == 13)
            out.reachedBox += QLatin1Char('\n');
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const KeyPress key = typed(text[i].toLatin1());
        apply(key, scan.feed(key, at));
        at += gapMs;
    }
    at += enterGapMs - gapMs;
    apply(kEnter, scan.feed(kEnter, at));
    out.reachedBox += held.left(scan.expire());
    return out;
}

} // namespace

// The boundaries of the default settings (30 ms, 4 characters): each rule at
// its value and on both sides of it.
TEST(TimedScan, ScansAtTheGapAndLengthAndTypingBeyondThem)
{
    const struct {
        const char *text;
        int gap, enterGap;
        bool scan;
    } cases[] = {
        {"0732", 30, 30, true},       // the longest gap, the shortest code
        {"0732", 31, 30, false},      // a gap too long
        {"0732", 30, 31, false},      // Enter too late
        {"073", 5, 5, false},         // too short
        {"07325612", 0, 0, true},     // as fast as keys come
        {"073256120013", 5, 5, true}, // a scanner at 5 ms a key
        {"12.50", 80, 80, false},     // a person at 80 ms a key
        {"12.50", 29, 80, false},     // a quick person who waits before Enter
    };
    for (const auto &c : cases) {
        TimedScan scan{ScannerSettings()};
        const Typed t = type(scan, c.text, c.gap, c.enterGap);
        SCOPED_TRACE(std::string(c.text) + " at " + std::to_string(c.gap) + "/" + std::to_string(c.enterGap));
        if (c.scan) {
            EXPECT_EQ(t.scanned, QStringList{c.text});
            EXPECT_EQ(t.reachedBox, "") << "nothing of a scan is typed";
        } else {
            EXPECT_TRUE(t.scanned.isEmpty());
            EXPECT_EQ(t.reachedBox, QString(c.text) + "\n") << "typing reaches the box whole, in order";
        }
    }
}

// The settings move the boundaries; a gap of 0 turns the capture off.
TEST(TimedScan, SettingsMoveTheBoundaries)
{
    ScannerSettings slow;
    slow.keyGapMs = 50;
    slow.minLength = 8;
    TimedScan scan(slow);
    EXPECT_EQ(type(scan, "12345678", 50, 50).scanned, QStringList{"12345678"});
    EXPECT_TRUE(type(scan, "1234567", 50, 50).scanned.isEmpty());
    ScannerSettings off;
    off.keyGapMs = 0;
    TimedScan none(off);
    EXPECT_FALSE(none.enabled());
    EXPECT_EQ(type(none, "12345678", 0, 0).reachedBox, "12345678\n");
}

// Shift for a capital neither holds nor breaks a run; another key (Tab), a
// key held down, or Enter with Ctrl end it and hand the characters back
// first.
TEST(TimedScan, ModifiersRepeatsAndOtherKeys)
{
    TimedScan scan{ScannerSettings()};
    EXPECT_EQ(scan.feed(typed('v'), 0).action, Action::Hold);
    EXPECT_EQ(scan.feed(kShift, 2).action, Action::Pass);
    EXPECT_EQ(scan.feed({'C', 1, "C"}, 4).action, Action::Hold);
    EXPECT_EQ(scan.feed(typed('s'), 6).action, Action::Hold);
    EXPECT_EQ(scan.feed(typed('g'), 8).action, Action::Hold);
    const TimedScan::Result tab = scan.feed(kTab, 10);
    EXPECT_EQ(tab.giveBack, 4);
    EXPECT_EQ(tab.action, Action::Pass);

    EXPECT_EQ(scan.feed(typed('0'), 20).action, Action::Hold);
    const TimedScan::Result repeat = scan.feed(typed('0'), 21, true);
    EXPECT_EQ(repeat.giveBack, 1) << "a key held down is a person's";
    EXPECT_EQ(repeat.action, Action::Pass);
    EXPECT_EQ(scan.feed(typed('0'), 22, true).action, Action::Pass);
    for (char c : {'1', '2', '3', '4'})
        scan.feed(typed(c), 30);
    const TimedScan::Result ctrlEnter = scan.feed({13, 2, {}}, 31);
    EXPECT_EQ(ctrlEnter.giveBack, 4);
    EXPECT_EQ(ctrlEnter.action, Action::Pass);
    EXPECT_EQ(scan.expire(), 0);
}

// Keys as written in POS.ini.
TEST(ScannerSettings, KeysAsWrittenInTheSettings)
{
    const struct {
        const char *text;
        std::optional<ScanKey> key;
    } cases[] = {
        {"Ctrl+BracketRight", ScanKey{221, 2}}, {"Ctrl+]", ScanKey{221, 2}},
        {"ctrl+backslash", ScanKey{220, 2}},    {"Ctrl+Shift+6", ScanKey{54, 3}},
        {"F9", ScanKey{120, 0}},                {"F24", ScanKey{135, 0}},
        {"Alt+Ctrl+b", ScanKey{'B', 6}},        {"Enter", ScanKey{13, 0}},
        {"Ctrl++", ScanKey{'+', 2}},            {"*", ScanKey{'*', 0}},
        {"F25", std::nullopt},                  {"Hyper+A", std::nullopt},
        {"Ctrl+Ctrl+A", std::nullopt},          {"", std::nullopt},
        {"AB", std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(parseScanKey(c.text), c.key) << c.text;
}

// POS.ini's scanner settings; a value that cannot be read keeps its
// default, and framing needs both a prefix and a suffix.
TEST(ScannerSettings, ReadFromPosIni)
{
    QTemporaryDir dir;
    SettingsStore settings(dir.path());
    // Prefix, suffix, key gap and minimum length, compared at once.
    using Read = std::tuple<QList<ScanKey>, QList<ScanKey>, int, int>;
    const auto read = [&] {
        const ScannerSettings s = readScannerSettings(settings);
        return Read(s.prefix, s.suffix, s.keyGapMs, s.minLength);
    };
    EXPECT_EQ(read(), Read({{221, 2}}, {{220, 2}, {54, 3}}, 30, 4));
    const auto save = [&](const char *key, const char *value) { settings.save("POS", "Settings", key, value); };
    save("Scanner Prefix", "F9");
    save("Scanner Suffix", "F10 Ctrl+Backslash");
    save("Scanner Key Gap", "45");
    save("Scanner Min Length", "0");
    EXPECT_EQ(read(), Read({{120, 0}}, {{121, 0}, {220, 2}}, 45, 4));
    save("Scanner Prefix", "Hyper+X");
    save("Scanner Suffix", "None");
    save("Scanner Key Gap", "soon");
    EXPECT_EQ(read(), Read({}, {}, 30, 4));

    // A capture framed by the keys set.
    ScannerSettings f9;
    f9.prefix = {{120, 0}};
    f9.suffix = {{121, 0}};
    BarcodeCapture capture(f9);
    EXPECT_EQ(capture.feed({221, 2, {}}).step, BarcodeCapture::Step::Passed);
    EXPECT_EQ(capture.feed({120, 0, {}}).step, BarcodeCapture::Step::Started);
    capture.feed(typed('4'));
    const BarcodeCapture::Result done = capture.feed({121, 0, {}});
    EXPECT_EQ(done.step, BarcodeCapture::Step::Completed);
    EXPECT_EQ(done.code, "4");
}
