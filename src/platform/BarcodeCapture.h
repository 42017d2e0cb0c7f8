#pragma once

#include "platform/KeyPress.h"
#include "platform/ScannerSettings.h"

#include <QString>

namespace vanta::platform {

// Reads a keyboard-wedge scanner's key stream: a prefix key (Ctrl+] unless
// set otherwise) starts a code, the keys after it are its characters, a
// suffix key (Ctrl+\ or Ctrl+Shift+6) ends it. Every
// key from the start key to the end key is consumed; keys outside a code
// are left to the focused control. An end key always completes a code, an
// empty one too (it is looked up like any other); there is no time limit.
class BarcodeCapture {
public:
    enum class Step {
        Passed,    // not part of a code: the key goes on to the focused control
        Started,   // a start key: a new, empty code is being captured
        Captured,  // a key inside a code, consumed (a character or a modifier)
        Completed, // an end key: code() holds the code
    };
    struct Result {
        Step step = Step::Passed;
        QString code; // the completed code
        bool consumed() const { return step != Step::Passed; }
    };

    explicit BarcodeCapture(const ScannerSettings &keys = ScannerSettings()) : mKeys(keys) {}

    Result feed(const KeyPress &key);
    bool scanning() const { return mScanning; }

private:
    ScannerSettings mKeys;
    bool mScanning = false;
    QString mBuffer;
};

} // namespace vanta::platform
