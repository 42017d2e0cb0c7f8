#include "posting/PrintedDocuments.h"

#include "db/EmployeeName.h"
#include "diagnostics/Trace.h"
#include "diagnostics/VantaError.h"
#include "platform/DialogRunner.h"
#include "platform/SettingsStore.h"
#include "platform_ui/AccessibleNames.h"
#include "posting/DocumentOutput.h"
#include "posting/EscPosReceipt.h"
#include "posting/PrinterError.h"
#include "posting/RawPrinterOutput.h"
#include "posting/ReceiptPrinter.h"
#include "posting/Receipt.h"
#include "posting/ReportEngine.h"
#include "posting/SelectionFormula.h"

#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <exception>

namespace vanta::posting {

namespace {

const char *const kModule = "PrintedDocuments";

// Runs printer work: empty when it succeeded, else the printer's problem in
// plain words. Other failures go on as errors.
template <typename F>
QString printerProblem(F &&work)
{
    try {
        work();
        return {};
    } catch (const PrinterError &e) {
        return e.description();
    }
}

} // namespace

int PrintedDocuments::installedPrinters()
{
    return int(QPrinterInfo::availablePrinterNames().size());
}

PrintedDocuments::PrintedDocuments(platform::SettingsStore &settings, platform::DialogRunner &dialogs,
                                   const ReportSettings &reportSettings, std::function<int()> printers)
    : mSettings(settings), mDialogs(dialogs), mReportSettings(reportSettings), mPrinters(std::move(printers))
{
}

QString PrintedDocuments::pdfFolder() const
{
    return mSettings
        .read(QLatin1String(SettingsApplication), QLatin1String(SettingsSection), QLatin1String(PdfFolderKey))
        .trimmed();
}

int PrintedDocuments::printerCount()
{
    return diag::run(kModule, "printerCount", 0, [&] {
        bool receiptPrinter = true; // a setting not understood is told when printing
        printerProblem([&] { receiptPrinter = readReceiptPrinter(mSettings).escPos(); });
        return receiptPrinter || !pdfFolder().isEmpty() ? 1 : mPrinters();
    });
}

QString PrintedDocuments::printReceipt(db::Store &store, qint32 saleId, qint32 employeeId, ReceiptRequest how)
{
    return diag::run(kModule, "printReceipt", QString(), [&] {
        return printerProblem([&] {
            const QString employee = db::GetUserName(store, employeeId);
            const ReceiptPrinter printer = readReceiptPrinter(mSettings);
            if (printer.escPos()) {
                const ReceiptContent receipt = loadReceiptContent(store, saleId, employee, how.copy);
                sendRawJob(printer, escPosReceipt(receipt, printer.paperMm, how.openDrawer),
                           QStringLiteral("Receipt %1").arg(saleId));
                return;
            }
            const RenderedDocument doc = receiptDocument(store, saleId, employee, how.copy);
            const QString folder = pdfFolder();
            if (!folder.isEmpty())
                toPdf(doc, folder,
                      QStringLiteral("receipt-%1%2.pdf").arg(saleId).arg(how.copy ? QStringLiteral("-copy") : QString()));
            else
                printOnDefaultPrinter(doc);
        });
    });
}

QString PrintedDocuments::openCashDrawer()
{
    return diag::run(kModule, "openCashDrawer", QString(), [&] {
        return printerProblem([&] {
            const ReceiptPrinter printer = readReceiptPrinter(mSettings);
            if (!printer.escPos())
                throw PrinterError(QStringLiteral("The cash drawer opens through a receipt printer, and this "
                                                  "register prints its receipts on a page printer."));
            sendRawJob(printer, escPosDrawerKick(), QStringLiteral("Cash drawer"));
        });
    });
}

void PrintedDocuments::printReport(db::Store &store, const QString &layoutFile, qint32 saleId)
{
    diag::run(kModule, "printReport", [&] {
        const QString layout = QDir(reportsFolder()).filePath(layoutFile);
        outputReport(runReport(store, layout, saleSelectionFormula(saleId)),
                     QStringLiteral("%1-%2.pdf").arg(QFileInfo(layoutFile).completeBaseName()).arg(saleId));
    });
}

QString PrintedDocuments::printRegisterReport(const RegisterReport &report)
{
    return diag::run(kModule, "printRegisterReport", QString(), [&] {
        return printerProblem([&] {
            const ReceiptPrinter printer = readReceiptPrinter(mSettings);
            if (printer.escPos())
                sendRawJob(printer, report.escPos(printer.paperMm), report.fileName);
            else
                outputReport(report.page(), report.fileName);
        });
    });
}

void PrintedDocuments::outputReport(const RenderedDocument &doc, const QString &fileName)
{
    const QString folder = pdfFolder();
    if (!folder.isEmpty())
        toPdf(doc, folder, fileName);
    else if (mReportSettings.destination == 1)
        printOnDefaultPrinter(doc);
    else
        preview(doc);
}

void PrintedDocuments::printLabel(const QStringList &lines)
{
    diag::run(kModule, "printLabel", [&] {
        RenderedDocument doc;
        doc.title = QStringLiteral("Label");
        QStringList escaped;
        for (const QString &line : lines)
            escaped << line.toHtmlEscaped();
        doc.html = QStringLiteral("<p style=\"font-size:12pt\">") + escaped.join(QStringLiteral("<br>"))
                   + QStringLiteral("</p>");
        doc.page.size = QPageSize(QSizeF(101.6, 50.8), QPageSize::Millimeter, QStringLiteral("Label"));
        doc.page.orientation = QPageLayout::Portrait;
        doc.page.marginsMm = {5, 5, 5, 5};
        const QString folder = pdfFolder();
        if (!folder.isEmpty())
            toPdf(doc, folder,
                  QStringLiteral("label-%1.pdf")
                      .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmsszzz"))));
        else
            printOnDefaultPrinter(doc);
    });
}

void PrintedDocuments::toPdf(const RenderedDocument &doc, const QString &folder, const QString &fileName)
{
    if (!QDir().mkpath(folder))
        throw VantaError(76, QStringLiteral("The PDF folder %1 cannot be created.").arg(folder),
                         QStringLiteral("Vanta printing"));
    const QString path = QDir(folder).filePath(fileName);
    writePdf(doc, path);
    mLastPdf = path;
}

void PrintedDocuments::preview(const RenderedDocument &doc)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(doc.title);
    QPrintPreviewDialog dlg(&printer);
    dlg.setWindowTitle(doc.title);
    // The preview's own fields: the page number and the zoom.
    for (QWidget *field : platform::typedFields(&dlg))
        field->setAccessibleName(qobject_cast<QComboBox *>(field) ? QStringLiteral("Zoom") : QStringLiteral("Page"));
    const ReportSettings &settings = mReportSettings;
    dlg.setWindowFlag(Qt::WindowStaysOnTopHint, settings.alwaysOnTop);
    if (settings.reportDisplay == 1)
        dlg.setWindowState(Qt::WindowMinimized);
    else if (settings.reportDisplay == 2)
        dlg.setWindowState(Qt::WindowMaximized);

    // Painting runs inside the preview's signal; a failure is carried out
    // of it and raised once the preview is closed.
    std::exception_ptr failure;
    QObject::connect(&dlg, &QPrintPreviewDialog::paintRequested, &dlg, [&](QPrinter *target) {
        try {
            paintDocument(doc, *target);
        } catch (...) {
            failure = std::current_exception();
        }
    });
    mDialogs.run(dlg);
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace vanta::posting
