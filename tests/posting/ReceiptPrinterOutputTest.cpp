// Receipts reaching a receipt printer: a device (a FIFO, a pseudo-terminal
// standing in for a serial port) and a CUPS raw queue on a cupsd of the
// test's own.
#include "posting/PrintedDocuments.h"

#include "posting/DocumentsFixture.h"
#include "posting/EscPosReceipt.h"
#include "posting/RawPrinterOutput.h"
#include "posting/Receipt.h"
#include "posting/ReceiptPrinter.h"
#include "support/Files.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <cups/cups.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace vanta;
using namespace vanta::posting;

namespace {

const QByteArray kDrawerKick("\x1b@\x1bt\x10\x1bp\x00\x19\xfa", 10);

// Everything waiting on a non-blocking descriptor.
QByteArray drain(int fd)
{
    QByteArray all;
    char buf[4096];
    for (ssize_t n; (n = ::read(fd, buf, sizeof buf)) > 0;)
        all.append(buf, n);
    return all;
}

} // namespace

class ReceiptPrinterTest : public test::DocumentsTest {
protected:
    void SetUp() override
    {
        DocumentsTest::SetUp();
        writeCashSale();
    }
    void usePrinter(const QString &where, const QString &paper = QString())
    {
        settings.save("POS", "Settings", ReceiptPrinter::PrinterKey, where);
        settings.save("POS", "Settings", ReceiptPrinter::PaperKey, paper);
    }
    QByteArray expectedJob(int paper, bool copy, bool drawer)
    {
        return escPosReceipt(loadReceiptContent(*ts.store, CashSale, "Dana K Morgan", copy), paper, drawer);
    }

    // Prints the cash sale's receipt; what went wrong, or "".
    QString print() { return docs.printReceipt(*ts.store, CashSale, 1, {}); }

    QTemporaryDir dir;
    PrintedDocuments docs{settings, dialogs, session.reportSettings, [] { return 0; }};
};

TEST_F(ReceiptPrinterTest, TheSettingNamesThePrinterAndPaperOrSaysWhatIsWrong)
{
    EXPECT_EQ(readReceiptPrinter(settings).kind, ReceiptPrinter::Kind::Page);
    EXPECT_EQ(docs.printerCount(), 0); // no page printer installed
    usePrinter("cups:Counter 1", "58");
    ReceiptPrinter p = readReceiptPrinter(settings);
    EXPECT_EQ(p.kind, ReceiptPrinter::Kind::CupsQueue);
    EXPECT_EQ(p.target, "Counter 1");
    EXPECT_EQ(p.paperMm, 58);
    EXPECT_EQ(docs.printerCount(), 1);
    saveReceiptPrinter(settings, {ReceiptPrinter::Kind::Device, "/dev/usb/lp0", 80});
    p = readReceiptPrinter(settings);
    EXPECT_EQ(p.kind, ReceiptPrinter::Kind::Device);
    EXPECT_EQ(p.describe(), "device /dev/usb/lp0");

    // A setting that is not understood is told when printing, in plain words.
    usePrinter("usb");
    EXPECT_EQ(docs.printerCount(), 1);
    EXPECT_EQ(print(),
              "The receipt printer setting \"usb\" is not understood. It must be \"page\", \"cups:\" and a queue "
              "name, or \"device:\" and a device path.");
    usePrinter("device:", "80");
    EXPECT_TRUE(print().startsWith("The receipt printer setting"));
    usePrinter("device:/dev/null", "57");
    EXPECT_EQ(print(), "The receipt paper width \"57\" is not understood: it must be 58 or 80 (mm).");
    // A page printer has no drawer.
    usePrinter("page");
    EXPECT_TRUE(docs.openCashDrawer().startsWith("The cash drawer opens through a receipt printer"));
}

TEST_F(ReceiptPrinterTest, ADeviceReceivesTheJobOrItsAbsenceIsToldPlainly)
{
    const QString fifo = dir.filePath("lp0");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    usePrinter("device:" + fifo, "58");

    // Nobody reads: a printer that is off.
    EXPECT_EQ(print(),
              "The receipt printer " + fifo + " does not take data. Check that it is online, has paper and its "
              "cover is closed.");

    const int reader = ::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(docs.printReceipt(*ts.store, CashSale, 1, {true, true}), "");
    EXPECT_EQ(drain(reader), expectedJob(58, true, true));
    EXPECT_EQ(docs.openCashDrawer(), "");
    EXPECT_EQ(drain(reader), kDrawerKick);
    ::close(reader);

    usePrinter("device:" + dir.filePath("usb/lp9"));
    EXPECT_EQ(docs.openCashDrawer(), "The receipt printer " + dir.filePath("usb/lp9")
                                         + " is not there. Check that it is switched on and its cable is plugged in.");

    // A plain file standing in for the printer keeps every job in turn.
    QFile capture(dir.filePath("capture.bin"));
    ASSERT_TRUE(capture.open(QIODevice::WriteOnly));
    capture.close();
    usePrinter("device:" + capture.fileName());
    EXPECT_EQ(docs.openCashDrawer(), "");
    EXPECT_EQ(docs.openCashDrawer(), "");
    ASSERT_TRUE(capture.open(QIODevice::ReadOnly));
    EXPECT_EQ(capture.readAll(), QByteArray(kDrawerKick) + kDrawerKick);
}

TEST_F(ReceiptPrinterTest, ASerialPortGetsTheBytesUnchanged)
{
    // A pseudo-terminal stands in for a serial port: its line settings would
    // turn every line feed into CR LF unless the port is set to raw bytes.
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    const QString port = QString::fromLocal8Bit(::ptsname(master));
    // The port keeps its settings only while it is open.
    const int keep = ::open(QFile::encodeName(port).constData(), O_RDWR | O_NOCTTY);
    ASSERT_GE(keep, 0);
    usePrinter("device:" + port);
    EXPECT_EQ(print(), "");
    ::fcntl(master, F_SETFL, O_NONBLOCK);
    QByteArray got;
    QElapsedTimer clock;
    clock.start();
    const QByteArray expected = expectedJob(80, false, false);
    while (got.size() < expected.size() && clock.elapsed() < 30000)
        got += drain(master);
    EXPECT_EQ(got, expected);
    ::close(keep);
    ::close(master);
}

// A cupsd of the test's own on a Unix socket in a temporary folder, with
// raw queues whose backend appends each job to a file.
class CupsQueueTest : public ReceiptPrinterTest {
protected:
    void SetUp() override
    {
        ReceiptPrinterTest::SetUp();
        const QString cupsd = QStandardPaths::findExecutable("cupsd", {"/usr/sbin", "/sbin", "/usr/local/sbin"});
        if (cupsd.isEmpty())
            GTEST_SKIP() << "cupsd is not installed (Debian package \"cups\"): the CUPS queue is not tested";
        root = dir.filePath("cups");
        ASSERT_TRUE(QDir().mkpath(root + "/serverbin/backend"));
        ASSERT_TRUE(QDir().mkpath(root + "/out"));
        // Jobs may run as the "lp" user when cupsd runs as root.
        for (const QString &d : {dir.path(), root, root + "/serverbin", root + "/serverbin/backend"})
            QFile::setPermissions(d, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                                         | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
        ::chmod(QFile::encodeName(root + "/out").constData(), 0777);
        for (const char *d : {"filter", "daemon", "notifier", "cgi-bin", "monitor", "driver"})
            if (QFile::exists(QStringLiteral("/usr/lib/cups/") + d))
                QFile::link(QStringLiteral("/usr/lib/cups/") + d, root + "/serverbin/" + d);
        write("serverbin/backend/capture", "#!/bin/sh\n"
                                           "[ $# -eq 0 ] && { echo 'direct capture \"Unknown\" \"Capture\"'; exit 0; }\n"
                                           "out=\"${DEVICE_URI#capture:}\"\n"
                                           "if [ -n \"$6\" ]; then cat \"$6\" >> \"$out\"; else cat >> \"$out\"; fi\n");
        ::chmod(QFile::encodeName(root + "/serverbin/backend/capture").constData(), 0755);
        socket = root + "/cups.sock";
        write("cupsd.conf", QString("Listen %1\nLogLevel warn\nBrowsing No\nWebInterface No\nDefaultAuthType None\n"
                                    "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                                    "<Policy default>\n  <Limit All>\n    Order allow,deny\n    Allow all\n"
                                    "  </Limit>\n</Policy>\n")
                                .arg(socket));
        write("cups-files.conf", QString("ServerRoot %1\nStateDir %1/state\nCacheDir %1/cache\nRequestRoot %1/spool\n"
                                         "TempDir %1/spool/temp\nAccessLog %1/access_log\nErrorLog %1/error_log\n"
                                         "PageLog %1/page_log\nServerBin %1/serverbin\nDataDir /usr/share/cups\n"
                                         "Printcap %1/printcap\n")
                                     .arg(root));
        write("printers.conf", queue("receipts", "Idle", "Yes") + queue("paused", "Stopped", "Yes")
                                   + queue("closed", "Idle", "No"));
        for (const char *d : {"state", "cache", "spool/temp"})
            QDir().mkpath(root + "/" + d);

        server.start(cupsd, {"-f", "-c", root + "/cupsd.conf", "-s", root + "/cups-files.conf"});
        ASSERT_TRUE(server.waitForStarted());
        cupsSetServer(QFile::encodeName(socket).constData());
        QElapsedTimer clock;
        clock.start();
        cups_dest_t *dest = nullptr;
        while (!dest && clock.elapsed() < 15000 && server.state() == QProcess::Running) {
            QThread::msleep(100);
            dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, "receipts", nullptr);
        }
        ASSERT_NE(dest, nullptr) << "cupsd did not come up: " << server.readAll().toStdString()
                                 << readAll("error_log").toStdString();
        cupsFreeDests(1, dest);
    }
    void TearDown() override
    {
        stopServer();
        cupsSetServer(nullptr);
        ReceiptPrinterTest::TearDown();
    }
    void stopServer()
    {
        if (server.state() == QProcess::NotRunning)
            return;
        server.terminate();
        if (!server.waitForFinished(10000))
            server.kill();
        server.waitForFinished();
    }
    QString queue(const char *name, const char *state, const char *accepting) const
    {
        return QString("<Printer %1>\nInfo %1\nDeviceURI capture:%2/out/%1.prn\nState %3\nAccepting %4\n"
                       "Shared No\n</Printer>\n")
            .arg(name, root, state, accepting);
    }
    void write(const QString &name, const QString &text) { test::writeFile(root + "/" + name, text.toUtf8()); }
    QByteArray readAll(const QString &name) const { return test::readFile(root + "/" + name); }
    // The queue's output once it holds `size` bytes (or after 30 s).
    QByteArray output(const char *queueName, qsizetype size)
    {
        QElapsedTimer clock;
        clock.start();
        QByteArray got;
        while ((got = readAll(QString("out/%1.prn").arg(queueName))).size() < size && clock.elapsed() < 30000)
            QThread::msleep(100);
        return got;
    }

    QString root;
    QString socket;
    QProcess server;
};

TEST_F(CupsQueueTest, ARawQueueReceivesTheJobAndQueueProblemsAreToldPlainly)
{
    usePrinter("cups:receipts", "80");
    EXPECT_EQ(docs.printReceipt(*ts.store, CashSale, 1, {false, true}), "");
    const QByteArray receipt = expectedJob(80, false, true);
    EXPECT_EQ(output("receipts", receipt.size()), receipt);
    EXPECT_EQ(docs.openCashDrawer(), "");
    EXPECT_EQ(output("receipts", receipt.size() + kDrawerKick.size()), receipt + kDrawerKick);

    usePrinter("cups:nosuchqueue");
    EXPECT_EQ(print(), "The receipt printer queue \"nosuchqueue\" does not exist in CUPS.");
    usePrinter("cups:paused");
    EXPECT_EQ(print(),
              "The receipt printer queue \"paused\" is stopped in CUPS: resume it there (an earlier job may have "
              "failed).");
    usePrinter("cups:closed");
    EXPECT_TRUE(docs.openCashDrawer().startsWith("The receipt printer queue \"closed\" is refusing jobs in CUPS"));

    stopServer();
    usePrinter("cups:receipts");
    EXPECT_TRUE(print().startsWith("The print service (CUPS) cannot be reached"))
        << print().toStdString();
}
