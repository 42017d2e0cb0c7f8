#pragma once

#include "posting/RenderedDocument.h"

class QPagedPaintDevice;

namespace vanta::posting {

// Sets the device's page to the document's, lays the document out for the
// device and paints every page (a roll gets one page as long as the
// content). Throws VantaError when the device cannot be painted on.
void paintDocument(const RenderedDocument &doc, QPagedPaintDevice &device);

// Writes the document as a PDF file, replacing any file of that name only
// once the new one is complete. Throws VantaError when it cannot be written.
void writePdf(const RenderedDocument &doc, const QString &path);

// Prints the document on the system's default printer. Throws PrinterError
// when there is none, VantaError when it cannot be printed on.
void printOnDefaultPrinter(const RenderedDocument &doc);

} // namespace vanta::posting
