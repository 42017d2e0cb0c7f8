#pragma once

#include "posting/ReceiptPrinter.h"

#include <QByteArray>
#include <QString>

namespace vanta::posting {

// Sends a job as it is (raw) to the receipt printer of the setting. Throws
// PrinterError, in plain words, when the printer cannot take it.
void sendRawJob(const ReceiptPrinter &printer, const QByteArray &job, const QString &title);

// A raw job to a CUPS queue through libcups (the server CUPS_SERVER or the
// client configuration names). Fails when the print service cannot be
// reached, the queue does not exist, is stopped or refuses jobs, or the job
// is not accepted.
void sendToCupsQueue(const QString &queue, const QByteArray &job, const QString &title);

// Writes the job to a device file (a USB or parallel printer, a serial port:
// terminals are switched to raw bytes first). Fails when the device is not
// there, may not be written, or takes nothing for `timeoutMs` (printer
// offline, out of paper, cover open).
void sendToDevice(const QString &path, const QByteArray &job, int timeoutMs = 5000);

} // namespace vanta::posting
