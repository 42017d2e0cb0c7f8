#pragma once

#include "posting/RenderedDocument.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

namespace vanta::db {
class Store;
}

namespace vanta::posting {

// How a receipt is wanted.
struct ReceiptRequest {
    bool copy = false;       // a reprint, marked "COPY"
    bool openDrawer = false; // kick the cash drawer with it (a cash sale)
};

// A report of the register rather than of one sale (a shift's X and Z
// reports), made for whichever printer it goes to.
struct RegisterReport {
    QString fileName;                              // as a PDF file ("z-report-12.pdf")
    std::function<RenderedDocument()> page;        // for a page printer, a PDF or the preview
    std::function<QByteArray(int paperMm)> escPos; // for a receipt printer
};

// Where a posted sale's documents go: the receipt of an ordinary sale and the
// report layouts of an invoice sale ("singlesale.rpt", "packingslip.rpt").
// Each reads the sale from the store it is given. The real one prints through
// Qt print support, to a receipt printer or as PDF files; tests record what
// was asked.
class SaleDocuments {
public:
    virtual ~SaleDocuments() = default;
    // Installed printers; a receipt printer or output to PDF files counts as one.
    virtual int printerCount() = 0;
    // The receipt of an ordinary sale. Empty when it was printed, else what
    // kept the printer from printing it, in plain words for the cashier.
    virtual QString printReceipt(db::Store &store, qint32 saleId, qint32 employeeId, ReceiptRequest how) = 0;
    // Opens the cash drawer through the receipt printer; empty when done,
    // else why not, in plain words.
    virtual QString openCashDrawer() = 0;
    // A report layout for the sale, with the destination of the report
    // settings (0 preview on screen, 1 printer).
    virtual void printReport(db::Store &store, const QString &layoutFile, qint32 saleId) = 0;
    // An address label: the lines on a label page, through the same printer
    // or PDF output as receipts. Prints nothing unless overridden.
    virtual void printLabel(const QStringList &lines) { (void)lines; }
    // A report of the register where receipts print: on a receipt printer
    // as ESC/POS, else as the report settings say (as printReport). Empty
    // when it was printed, else what kept the printer from it. Prints
    // nothing unless overridden.
    virtual QString printRegisterReport(const RegisterReport &report)
    {
        (void)report;
        return {};
    }
};

} // namespace vanta::posting
