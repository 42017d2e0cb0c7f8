#include "posting/RawPrinterOutput.h"

#include "posting/PrinterError.h"

#include <QElapsedTimer>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <cups/cups.h>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace vanta::posting {

namespace {

QString cupsProblem()
{
    return QString::fromUtf8(cupsLastErrorString());
}

bool printServiceReachable()
{
    http_t *http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 5000, nullptr);
    if (!http)
        return false;
    httpClose(http);
    return true;
}

// Closes a file descriptor on every way out.
class Descriptor {
public:
    explicit Descriptor(int fd) : mFd(fd) {}
    ~Descriptor()
    {
        if (mFd >= 0)
            ::close(mFd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return mFd; }

private:
    int mFd;
};

PrinterError deviceError(const QString &path, int error)
{
    switch (error) {
    case ENOENT:
    case ENODEV:
        return PrinterError(QStringLiteral("The receipt printer %1 is not there. Check that it is switched on and "
                                           "its cable is plugged in.")
                                .arg(path));
    case EACCES:
    case EPERM:
        return PrinterError(QStringLiteral("The receipt printer %1 may not be written to by this user (ask for "
                                           "access to the printer, e.g. the \"lp\" group).")
                                .arg(path));
    case ENXIO:
    case EPIPE:
    case EIO:
    case EAGAIN:
    case EBUSY:
        return PrinterError(QStringLiteral("The receipt printer %1 does not take data. Check that it is online, "
                                           "has paper and its cover is closed.")
                                .arg(path));
    default:
        return PrinterError(QStringLiteral("The receipt printer %1 could not be written to: %2.")
                                .arg(path, QString::fromLocal8Bit(std::strerror(error))));
    }
}

} // namespace

void sendToCupsQueue(const QString &queue, const QByteArray &job, const QString &title)
{
    const QByteArray name = queue.toUtf8();
    const QByteArray docName = title.toUtf8();
    cups_dest_t *dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.constData(), nullptr);
    if (!dest) {
        // libcups says "not found" whether the queue or the whole service is
        // missing: ask the service itself.
        if (!printServiceReachable())
            throw PrinterError(QStringLiteral("The print service (CUPS) cannot be reached: is it running?"));
        throw PrinterError(QStringLiteral("The receipt printer queue \"%1\" does not exist in CUPS.").arg(queue));
    }
    const char *state = cupsGetOption("printer-state", dest->num_options, dest->options);
    const char *accepting = cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
    const bool stopped = state && std::strcmp(state, "5") == 0;
    const bool refusing = accepting && std::strcmp(accepting, "false") == 0;
    cupsFreeDests(1, dest);
    if (stopped || refusing)
        throw PrinterError(QStringLiteral("The receipt printer queue \"%1\" is %2 in CUPS: resume it there (an earlier "
                                          "job may have failed).")
                               .arg(queue, stopped ? QStringLiteral("stopped") : QStringLiteral("refusing jobs")));

    const int id = cupsCreateJob(CUPS_HTTP_DEFAULT, name.constData(), docName.constData(), 0, nullptr);
    if (id == 0)
        throw PrinterError(
            QStringLiteral("The receipt printer queue \"%1\" did not accept the job: %2.").arg(queue, cupsProblem()));
    const auto failed = [&](const QString &what) {
        const QString problem = cupsProblem();
        cupsCancelJob2(CUPS_HTTP_DEFAULT, name.constData(), id, 0);
        return PrinterError(QStringLiteral("The receipt job for the queue \"%1\" failed while %2: %3.")
                                .arg(queue, what, problem));
    };
    if (cupsStartDocument(CUPS_HTTP_DEFAULT, name.constData(), id, docName.constData(), CUPS_FORMAT_RAW, 1)
        != HTTP_STATUS_CONTINUE)
        throw failed(QStringLiteral("starting"));
    if (cupsWriteRequestData(CUPS_HTTP_DEFAULT, job.constData(), size_t(job.size())) != HTTP_STATUS_CONTINUE)
        throw failed(QStringLiteral("sending"));
    if (cupsFinishDocument(CUPS_HTTP_DEFAULT, name.constData()) > IPP_STATUS_OK_CONFLICTING)
        throw failed(QStringLiteral("finishing"));
}

void sendToDevice(const QString &path, const QByteArray &job, int timeoutMs)
{
    // A printer going away mid-job must fail the write, not end the program.
    ::signal(SIGPIPE, SIG_IGN);
    const QByteArray file = path.toLocal8Bit();
    // Without a reader (a printer that is off, a FIFO nobody reads) the open
    // fails at once instead of blocking. A plain file standing in for the
    // printer (a capture) gets each job after the last, not over it.
    Descriptor fd(::open(file.constData(), O_WRONLY | O_APPEND | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0)
        throw deviceError(path, errno);
    if (::isatty(fd.get())) {
        termios raw{};
        if (::tcgetattr(fd.get(), &raw) == 0) {
            ::cfmakeraw(&raw);
            ::tcsetattr(fd.get(), TCSANOW, &raw);
        }
    }
    QElapsedTimer clock;
    clock.start();
    qsizetype sent = 0;
    while (sent < job.size()) {
        const ssize_t n = ::write(fd.get(), job.constData() + sent, size_t(job.size() - sent));
        if (n > 0) {
            sent += n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN)
            throw deviceError(path, errno);
        const qint64 left = timeoutMs - clock.elapsed();
        pollfd p{fd.get(), POLLOUT, 0};
        if (left <= 0 || ::poll(&p, 1, int(left)) <= 0 || (p.revents & (POLLERR | POLLHUP)))
            throw deviceError(path, p.revents & (POLLERR | POLLHUP) ? EIO : EAGAIN);
    }
}

void sendRawJob(const ReceiptPrinter &printer, const QByteArray &job, const QString &title)
{
    switch (printer.kind) {
    case ReceiptPrinter::Kind::CupsQueue: sendToCupsQueue(printer.target, job, title); return;
    case ReceiptPrinter::Kind::Device: sendToDevice(printer.target, job); return;
    case ReceiptPrinter::Kind::Page: break;
    }
    throw PrinterError(QStringLiteral("The receipt printer is a page printer: it takes no ESC/POS job."));
}

} // namespace vanta::posting
