#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <arpa/inet.h>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace vanta::test {

// A tiny SMTP server on 127.0.0.1 for one session, written for the tests:
// it greets, offers AUTH PLAIN, checks the user name and password, takes one
// message and records the envelope and the data. It waits at most a few
// seconds for each step and stops by itself; it never reaches outside the
// machine.
class LoopbackSmtpServer {
public:
    LoopbackSmtpServer(QByteArray user, QByteArray password) : mUser(std::move(user)), mPassword(std::move(password))
    {
        mListen = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        addr.sin_port = 0;
        ::bind(mListen, reinterpret_cast<sockaddr *>(&addr), sizeof addr);
        ::listen(mListen, 1);
        socklen_t len = sizeof addr;
        ::getsockname(mListen, reinterpret_cast<sockaddr *>(&addr), &len);
        mPort = ntohs(addr.sin_port);
        mThread = std::thread([this] { serve(); });
    }
    ~LoopbackSmtpServer()
    {
        finish();
        ::close(mListen);
    }
    int port() const { return mPort; }
    // Waits for the session to end (bounded by the server's own timeouts).
    void finish()
    {
        if (mThread.joinable())
            mThread.join();
    }

    QByteArray mailFrom, rcptTo, data;
    QStringList commands; // every command line received (AUTH lines without their secret)
    bool authenticated = false;
    bool sawData = false;

private:
    static constexpr int kStepTimeoutMs = 5000;

    bool readLine(int fd, QByteArray &line)
    {
        line.clear();
        while (true) {
            const qsizetype eol = mBuffer.indexOf("\r\n");
            if (eol >= 0) {
                line = mBuffer.left(eol);
                mBuffer.remove(0, eol + 2);
                return true;
            }
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, kStepTimeoutMs) <= 0)
                return false;
            char chunk[4096];
            const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
            if (n <= 0)
                return false;
            mBuffer.append(chunk, n);
        }
    }
    static void reply(int fd, const char *text) { ::send(fd, text, strlen(text), MSG_NOSIGNAL); }

    bool checkPlain(const QByteArray &b64)
    {
        const QList<QByteArray> parts = QByteArray::fromBase64(b64).split('\0');
        return parts.size() == 3 && parts[1] == mUser && parts[2] == mPassword;
    }

    void serve()
    {
        pollfd p{mListen, POLLIN, 0};
        if (::poll(&p, 1, kStepTimeoutMs) <= 0)
            return;
        const int fd = ::accept(mListen, nullptr, nullptr);
        if (fd < 0)
            return;
        reply(fd, "220 localhost test SMTP\r\n");
        QByteArray line;
        while (readLine(fd, line)) {
            const QByteArray upper = line.toUpper();
            if (upper.startsWith("AUTH"))
                commands << QStringLiteral("AUTH");
            else
                commands << QString::fromUtf8(line);
            if (upper.startsWith("EHLO") || upper.startsWith("HELO")) {
                reply(fd, "250-localhost\r\n250-AUTH PLAIN\r\n250 8BITMIME\r\n");
            } else if (upper.startsWith("AUTH PLAIN")) {
                QByteArray b64 = line.mid(10).trimmed();
                if (b64.isEmpty()) {
                    reply(fd, "334 \r\n");
                    if (!readLine(fd, b64))
                        break;
                }
                authenticated = checkPlain(b64);
                reply(fd, authenticated ? "235 2.7.0 Authentication successful\r\n"
                                        : "535 5.7.8 Authentication credentials invalid\r\n");
            } else if (upper.startsWith("MAIL FROM:")) {
                mailFrom = line.mid(10).trimmed();
                reply(fd, authenticated ? "250 OK\r\n" : "530 5.7.0 Authentication required\r\n");
            } else if (upper.startsWith("RCPT TO:")) {
                rcptTo = line.mid(8).trimmed();
                reply(fd, "250 OK\r\n");
            } else if (upper == "DATA") {
                reply(fd, "354 End data with <CR><LF>.<CR><LF>\r\n");
                QByteArray body;
                while (readLine(fd, line) && line != ".")
                    body += line + "\r\n";
                data = body;
                sawData = true;
                reply(fd, "250 OK queued\r\n");
            } else if (upper == "QUIT") {
                reply(fd, "221 Bye\r\n");
                break;
            } else {
                reply(fd, "250 OK\r\n");
            }
        }
        ::close(fd);
    }

    QByteArray mUser, mPassword;
    int mListen = -1;
    int mPort = 0;
    QByteArray mBuffer;
    std::thread mThread;
};

} // namespace vanta::test
