#pragma once

#include <QString>

namespace vanta::platform {
class SettingsStore;
}

namespace vanta::posting {

// Where receipts print, from the per-user settings ("POS"/"Settings"):
//   "Receipt Printer"      "page" (or empty): the page printer, through Qt
//                          print support (A4/letter printers, PDF output);
//                          "cups:QUEUE": ESC/POS as a raw job to that CUPS
//                          queue; "device:PATH": ESC/POS written to the
//                          device (e.g. /dev/usb/lp0, a serial port).
//   "Receipt Paper Width"  58 or 80 (mm); 80 when empty.
struct ReceiptPrinter {
    static constexpr const char *PrinterKey = "Receipt Printer";
    static constexpr const char *PaperKey = "Receipt Paper Width";

    enum class Kind { Page, CupsQueue, Device };
    Kind kind = Kind::Page;
    QString target; // the queue name or device path
    int paperMm = 80;

    bool escPos() const { return kind != Kind::Page; }
    // "CUPS queue receipts", "device /dev/usb/lp0", "page printer".
    QString describe() const;
};

// The setting as stored. Throws PrinterError when it is not understood (an
// unknown kind, no queue name or device path, another paper width).
ReceiptPrinter readReceiptPrinter(const platform::SettingsStore &settings);

// Stores the setting in the form readReceiptPrinter() reads.
void saveReceiptPrinter(platform::SettingsStore &settings, const ReceiptPrinter &printer);

} // namespace vanta::posting
