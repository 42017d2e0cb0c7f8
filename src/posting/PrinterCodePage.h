#pragma once

#include <QByteArray>
#include <QString>

namespace vanta::posting {

// Receipt printers print single-byte text in a code page chosen by ESC t.
// Receipts use the Windows Latin-1 page (WPC1252, ESC t 16): western
// accented letters, the euro sign and typographic quotes print as they are.

// The number ESC t selects the code page by.
inline constexpr char PrinterCodePageNumber = 16;

// The text in the printer's code page, composed first ("e" + combining acute
// prints as one letter). A character the page does not hold prints as '?';
// so does every control character, so that text from the store can never
// send a command to the printer.
QByteArray toPrinterCodePage(const QString &text);

} // namespace vanta::posting
