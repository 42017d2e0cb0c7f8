#pragma once

#include <QString>

namespace vanta::platform {

// One e-mail to send through an SMTP server.
struct MailMessage {
    QString host; // SMTP server
    int port = 25;
    QString userName; // empty: no logon
    QString password;
    QString from;
    QString to;
    QString subject;
    QString body; // lines separated by CR LF
};

// How a send went.
struct MailResult {
    enum class Status {
        Sent,
        Unreachable,    // no answer from the server (name unknown, refused, timed out)
        AuthRefused,    // the server refused the user name or password
        TlsUnavailable, // no encrypted connection could be made
        Rejected,       // the server refused the sender, a recipient or the message
        Failed          // anything else
    };
    Status status = Status::Failed;
    QString detail; // the reason in plain words (never the password)
    bool sent() const { return status == Status::Sent; }
};

// True when the host names this machine (localhost, 127.x.x.x, ::1).
bool isLocalHost(const QString &host);

// Sends the message with libcurl. The connection must be encrypted (TLS
// from the start on port 465, STARTTLS otherwise) unless the server is this
// machine. Gives up after `timeoutSeconds`. Nothing of the password is ever
// written anywhere.
MailResult sendMail(const MailMessage &message, int timeoutSeconds = 60);

// The message as sent: headers and body, lines ending in CR LF.
QByteArray mailPayload(const MailMessage &message);

} // namespace vanta::platform
