#include "posting/PrintedDocuments.h"

#include "diagnostics/VantaError.h"
#include "posting/DocumentsFixture.h"
#include "support/Files.h"

#include <QFile>
#include <QPrintPreviewDialog>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace vanta;
using namespace vanta::posting;

namespace {

// The output of a poppler tool for a PDF file ("" when the tool is missing).
QString poppler(const char *tool, const QStringList &args)
{
    const QString exe = QStandardPaths::findExecutable(QLatin1String(tool));
    if (exe.isEmpty())
        return {};
    QProcess p;
    p.start(exe, args);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class PrintedDocumentsTest : public test::DocumentsTest {
protected:
    void usePdfFolder(const QString &folder) { settings.save("POS", "Settings", "Print To PDF", folder); }

    QTemporaryDir out;
    int printers = 0;
    PrintedDocuments docs{settings, dialogs, session.reportSettings, [this] { return printers; }};
};

TEST_F(PrintedDocumentsTest, PrinterCountIsTheInstalledPrintersOrOneForPdfOutput)
{
    EXPECT_EQ(docs.pdfFolder(), "");
    EXPECT_EQ(docs.printerCount(), 0);
    printers = 2;
    EXPECT_EQ(docs.printerCount(), 2);
    printers = 0;
    usePdfFolder(out.filePath("pdf"));
    EXPECT_EQ(docs.pdfFolder(), out.filePath("pdf"));
    EXPECT_EQ(docs.printerCount(), 1);
    usePdfFolder("  ");
    EXPECT_EQ(docs.printerCount(), 0);
}

TEST_F(PrintedDocumentsTest, WithThePdfSettingReceiptsAndReportsBecomePdfFiles)
{
    writeCashSale();
    writeInvoiceSale();
    const QString folder = out.filePath("receipts/today"); // created when missing
    usePdfFolder(folder);

    EXPECT_EQ(docs.printReceipt(session.store(), CashSale, 1, {}), "");
    const QString receipt = folder + "/receipt-424242.pdf";
    ASSERT_TRUE(QFile::exists(receipt));
    EXPECT_EQ(docs.lastPdf(), receipt);
    // A reprint does not replace the original's file.
    EXPECT_EQ(docs.printReceipt(session.store(), CashSale, 1, {true, false}), "");
    EXPECT_EQ(docs.lastPdf(), folder + "/receipt-424242-copy.pdf");

    // Destination 0 would preview: with PDF output nothing is shown.
    session.reportSettings.destination = 0;
    docs.printReport(session.store(), "packingslip.rpt", InvoiceSale);
    session.reportSettings.destination = 1;
    docs.printReport(session.store(), "singlesale.rpt", InvoiceSale);
    EXPECT_EQ(dialogs.runs(), 0);
    ASSERT_TRUE(QFile::exists(folder + "/packingslip-515151.pdf"));
    ASSERT_TRUE(QFile::exists(folder + "/singlesale-515151.pdf"));

    const QString receiptText = poppler("pdftotext", {receipt, "-"});
    if (receiptText.isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    for (const char *expected : {"Vanta Corner Store", "424242", "Dana K Morgan", "Claw Hammer 16 oz", "$68.94",
                                 "$11.06"})
        EXPECT_TRUE(receiptText.contains(expected)) << expected;
    // One page on an 80 mm roll (226.77 points wide), as long as the receipt.
    const QString info = poppler("pdfinfo", {receipt});
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\n"))) << qPrintable(info);
    const QRegularExpressionMatch size = QRegularExpression("Page size:\\s+([0-9.]+) x").match(info);
    EXPECT_NEAR(size.captured(1).toDouble(), 226.77, 0.5) << qPrintable(info);

    EXPECT_FALSE(receiptText.contains("COPY"));
    EXPECT_EQ(poppler("pdftotext", {folder + "/receipt-424242-copy.pdf", "-"}).count("COPY"), 2);

    const QString invoiceText = poppler("pdftotext", {folder + "/singlesale-515151.pdf", "-"});
    for (const char *expected : {"INVOICE", "515151", "Adams Hardware Supply", "PO-7731", "$175.87", "$155.87"})
        EXPECT_TRUE(invoiceText.contains(expected)) << expected;
    const QString slipText = poppler("pdftotext", {folder + "/packingslip-515151.pdf", "-"});
    EXPECT_TRUE(slipText.contains("PACKING SLIP"));
    EXPECT_FALSE(slipText.contains("$"));
}

TEST_F(PrintedDocumentsTest, OnScreenReportsOpenAPreviewAsTheSettingsSay)
{
    writeInvoiceSale();
    session.reportSettings = {0, 2, 0, true};
    bool checked = false;
    dialogs.then([&](QDialog &dlg) {
        auto *preview = qobject_cast<QPrintPreviewDialog *>(&dlg);
        EXPECT_NE(preview, nullptr);
        EXPECT_TRUE(dlg.windowState() & Qt::WindowMaximized);
        EXPECT_TRUE(dlg.windowFlags() & Qt::WindowStaysOnTopHint);
        checked = true;
        return int(QDialog::Rejected);
    });
    docs.printReport(session.store(), "singlesale.rpt", InvoiceSale);
    EXPECT_TRUE(checked);
    EXPECT_EQ(dialogs.titles(), QStringList{"Invoice 515151"});
    EXPECT_EQ(docs.lastPdf(), "");
}

TEST_F(PrintedDocumentsTest, FailuresAreRaisedNotPassedOver)
{
    writeCashSale();
    // The PDF folder lies under a plain file: it cannot be made.
    test::writeFile(out.filePath("blocker"), {});
    usePdfFolder(out.filePath("blocker/pdf"));
    EXPECT_THROW(docs.printReceipt(session.store(), CashSale, 1, {}), VantaError);

    usePdfFolder(out.filePath("pdf"));
    EXPECT_THROW(docs.printReport(session.store(), "nosuchlayout.rpt", CashSale), VantaError);
    EXPECT_THROW(docs.printReceipt(session.store(), 777, 1, {}), VantaError);
    EXPECT_EQ(docs.lastPdf(), "");
}

TEST_F(PrintedDocumentsTest, AddressLabelIsALabelPageThroughThePdfOutput)
{
    usePdfFolder(out.filePath("labels"));
    docs.printLabel({"Prairie Feed & Seed", "12 <Elm> St", "Peoria, IL 61602"});
    const QString label = docs.lastPdf();
    ASSERT_TRUE(label.startsWith(out.filePath("labels") + "/label-")) << label.toStdString();
    ASSERT_TRUE(QFile::exists(label));
    const QString info = poppler("pdfinfo", {label});
    const QString text = poppler("pdftotext", {label, "-"});
    if (text.isEmpty())
        GTEST_SKIP() << "poppler-utils are not installed";
    EXPECT_TRUE(info.contains("288 x 144 pts")) << info.toStdString(); // 4 x 2 inches
    for (const char *expected : {"Prairie Feed & Seed", "12 <Elm> St", "Peoria, IL 61602"})
        EXPECT_TRUE(text.contains(expected)) << expected;
}
