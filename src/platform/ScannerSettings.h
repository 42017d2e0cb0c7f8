#pragma once

#include "platform/KeyPress.h"

#include <QList>
#include <QString>
#include <optional>

namespace vanta::platform {

class SettingsStore;

// A key with its shift state, as the keyboard hook reports it (KeyPress).
struct ScanKey {
    int keyCode = 0;
    int shift = 0;
    bool matches(const KeyPress &key) const { return key.keyCode == keyCode && key.shift == shift; }
    bool operator==(const ScanKey &) const = default;
};

// How the register tells a barcode scanner's keystrokes from a person's.
// A code framed by a prefix key and a suffix key is a scan at any speed. A
// scanner on its factory settings frames nothing: it types the code and
// Enter, faster than any person. Characters arriving at most `keyGapMs`
// apart, at least `minLength` of them, then Enter (as quickly), are a scan
// too; `keyGapMs` 0 turns that off.
struct ScannerSettings {
    ScannerSettings(); // the defaults below
    QList<ScanKey> prefix; // Ctrl+]
    QList<ScanKey> suffix; // Ctrl+\ and Ctrl+Shift+6
    int keyGapMs = 30;
    int minLength = 4;
};

// A key as written in the settings: modifiers and a key joined by "+", for
// example "Ctrl+BracketRight", "Ctrl+Shift+6", "F9", "Ctrl+B". Keys are
// letters, digits, F1 to F24, Enter, Tab, Esc, Space, BracketLeft,
// BracketRight, Backslash (a backslash cannot stand in the settings file)
// or one other character. None when the text names no key.
std::optional<ScanKey> parseScanKey(const QString &text);

// The scanner settings of POS.ini, [Settings]: "Scanner Prefix" and
// "Scanner Suffix" (keys separated by blanks; "None" for no framing),
// "Scanner Key Gap" (milliseconds) and "Scanner Min Length". A value that
// cannot be read keeps its default.
ScannerSettings readScannerSettings(const SettingsStore &settings);

} // namespace vanta::platform
