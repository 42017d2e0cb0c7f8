#pragma once

#include "posting/RenderedDocument.h"
#include "posting/ReportSettings.h"
#include "posting/SaleDocuments.h"

#include <QString>
#include <functional>

namespace vanta::platform {
class DialogRunner;
class SettingsStore;
} // namespace vanta::platform

namespace vanta::posting {

// Receipts and reports of posted sales, read from the store.
//
// Receipts print where the receipt printer setting says (ReceiptPrinter.h):
// as ESC/POS jobs to a receipt printer (a CUPS queue or a device), which
// also opens the cash drawer, or on the default page printer. Reports follow the employee's
// report settings: destination 1 prints, anything else previews on screen
// (the preview opens normal, minimized or maximized as "Report Display"
// says, and stays on top when "Always on Top" is set).
//
// When the per-user setting "POS"/"Settings"/"Print To PDF" names a folder,
// every report, and every receipt not meant for a receipt printer, is
// written there as a PDF file instead ("receipt-<sale>.pdf",
// "receipt-<sale>-copy.pdf", "singlesale-<sale>.pdf",
// "packingslip-<sale>.pdf"), whatever the destination, and the PDF output
// counts as a printer.
class PrintedDocuments : public SaleDocuments {
public:
    static constexpr const char *SettingsApplication = "POS";
    static constexpr const char *SettingsSection = "Settings";
    static constexpr const char *PdfFolderKey = "Print To PDF";

    // The printers installed on the system (CUPS through Qt print support).
    static int installedPrinters();

    // `settings`: the per-user settings (the PDF folder); `reportSettings`:
    // the current employee's, read at each report; `printers` counts the
    // installed printers (replaced in tests).
    PrintedDocuments(platform::SettingsStore &settings, platform::DialogRunner &dialogs,
                     const ReportSettings &reportSettings, std::function<int()> printers = &installedPrinters);

    // The PDF folder of the setting; empty when output goes to printers.
    QString pdfFolder() const;

    int printerCount() override;
    QString printReceipt(db::Store &store, qint32 saleId, qint32 employeeId, ReceiptRequest how) override;
    QString openCashDrawer() override;
    void printReport(db::Store &store, const QString &layoutFile, qint32 saleId) override;
    // A 4 x 2 inch label page ("label-<time>.pdf" in the PDF folder).
    void printLabel(const QStringList &lines) override;
    QString printRegisterReport(const RegisterReport &report) override;

    // The PDF file written last (empty when none yet).
    const QString &lastPdf() const { return mLastPdf; }

private:
    void toPdf(const RenderedDocument &doc, const QString &folder, const QString &fileName);
    // A report to the PDF folder, else the printer or the preview as the
    // report settings say.
    void outputReport(const RenderedDocument &doc, const QString &fileName);
    void preview(const RenderedDocument &doc);

    platform::SettingsStore &mSettings;
    platform::DialogRunner &mDialogs;
    const ReportSettings &mReportSettings;
    std::function<int()> mPrinters;
    QString mLastPdf;
};

} // namespace vanta::posting
