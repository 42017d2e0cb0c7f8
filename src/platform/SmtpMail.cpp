#include "platform/SmtpMail.h"

#include <QDateTime>
#include <QStringList>
#include <QLocale>
#include <curl/curl.h>
#include <cstring>
#include <memory>

namespace vanta::platform {

namespace {

// A header text: plain when it is printable ASCII, else RFC 2047 encoded.
QByteArray headerText(const QString &text)
{
    bool ascii = true;
    for (QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() > 0x7e)
            ascii = false;
    if (ascii)
        return text.toLatin1();
    return "=?UTF-8?B?" + text.toUtf8().toBase64() + "?=";
}

// Header fields must not carry line breaks (no header injection).
QString oneLine(const QString &text)
{
    QString s = text;
    s.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return s;
}

struct Upload {
    QByteArray data;
    qsizetype offset = 0;
};

size_t readPayload(char *buffer, size_t size, size_t count, void *userdata)
{
    auto *up = static_cast<Upload *>(userdata);
    const size_t room = size * count;
    const size_t left = size_t(up->data.size() - up->offset);
    const size_t n = left < room ? left : room;
    std::memcpy(buffer, up->data.constData() + up->offset, n);
    up->offset += qsizetype(n);
    return n;
}

MailResult resultOf(CURLcode rc, long response, const char *errorText)
{
    const QString detail = QString::fromUtf8(errorText && *errorText ? errorText : curl_easy_strerror(rc));
    using S = MailResult::Status;
    switch (rc) {
    case CURLE_OK: return {S::Sent, QString()};
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
    case CURLE_COULDNT_CONNECT:
    case CURLE_OPERATION_TIMEDOUT:
        return {S::Unreachable, QStringLiteral("The mail server could not be reached (%1).").arg(detail)};
    case CURLE_LOGIN_DENIED:
        return {S::AuthRefused, QStringLiteral("The mail server refused the user name or password.")};
    case CURLE_USE_SSL_FAILED:
        return {S::TlsUnavailable, QStringLiteral("The mail server offers no encrypted connection.")};
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CACERT_BADFILE:
        return {S::TlsUnavailable, QStringLiteral("No secure connection to the mail server (%1).").arg(detail)};
    default: break;
    }
    if (response == 535 || response == 534 || response == 530)
        return {S::AuthRefused, QStringLiteral("The mail server refused the user name or password.")};
    if (response >= 500)
        return {S::Rejected, QStringLiteral("The mail server refused the message (%1: %2).").arg(response).arg(detail)};
    return {S::Failed, QStringLiteral("The message could not be sent (%1).").arg(detail)};
}

} // namespace

bool isLocalHost(const QString &host)
{
    const QString h = host.trimmed().toLower();
    if (h == QLatin1String("localhost") || h.endsWith(QLatin1String(".localhost")))
        return true;
    if (h == QLatin1String("::1") || h == QLatin1String("[::1]"))
        return true;
    // 127.0.0.0/8, written as four decimal numbers.
    const QStringList parts = h.split(QLatin1Char('.'));
    if (parts.size() != 4 || parts[0] != QLatin1String("127"))
        return false;
    for (const QString &part : parts) {
        bool ok = false;
        const int n = part.toInt(&ok);
        if (!ok || n < 0 || n > 255)
            return false;
    }
    return true;
}

QByteArray mailPayload(const MailMessage &m)
{
    QByteArray p;
    const QByteArray crlf = "\r\n";
    p += "Date: " + QLocale::c().toString(QDateTime::currentDateTime(), QStringLiteral("ddd, dd MMM yyyy hh:mm:ss t")).toLatin1() + crlf;
    p += "From: <" + oneLine(m.from).toUtf8() + ">" + crlf;
    p += "To: <" + oneLine(m.to).toUtf8() + ">" + crlf;
    p += "Subject: " + headerText(oneLine(m.subject)) + crlf;
    p += "MIME-Version: 1.0" + crlf;
    p += "Content-Type: text/plain; charset=UTF-8" + crlf;
    p += "Content-Transfer-Encoding: 8bit" + crlf;
    p += crlf;
    // Every line break of the body as CR LF.
    QString body = m.body;
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    p += body.toUtf8().replace("\n", crlf);
    if (!p.endsWith(crlf))
        p += crlf;
    return p;
}

MailResult sendMail(const MailMessage &m, int timeoutSeconds)
{
    static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    if (!initialised)
        return {MailResult::Status::Failed, QStringLiteral("The mail library could not be started.")};
    std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), &curl_easy_cleanup);
    if (!curl)
        return {MailResult::Status::Failed, QStringLiteral("The mail library could not be started.")};
    CURL *c = curl.get();

    const bool local = isLocalHost(m.host);
    const bool implicitTls = m.port == 465;
    const QByteArray url = QStringLiteral("%1://%2:%3")
                               .arg(implicitTls ? QStringLiteral("smtps") : QStringLiteral("smtp"),
                                    m.host.trimmed())
                               .arg(m.port)
                               .toUtf8();
    const QByteArray from = "<" + m.from.trimmed().toUtf8() + ">";
    const QByteArray to = "<" + m.to.trimmed().toUtf8() + ">";
    const QByteArray user = m.userName.toUtf8();
    const QByteArray password = m.password.toUtf8();
    Upload upload{mailPayload(m)};
    char errorText[CURL_ERROR_SIZE] = {0};

    curl_slist *recipients = curl_slist_append(nullptr, to.constData());
    std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)> recipientsGuard(recipients, &curl_slist_free_all);

    curl_easy_setopt(c, CURLOPT_URL, url.constData());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "smtp,smtps");
    curl_easy_setopt(c, CURLOPT_USE_SSL, long(local ? CURLUSESSL_NONE : CURLUSESSL_ALL));
    if (!user.isEmpty()) {
        curl_easy_setopt(c, CURLOPT_USERNAME, user.constData());
        curl_easy_setopt(c, CURLOPT_PASSWORD, password.constData());
    }
    curl_easy_setopt(c, CURLOPT_MAIL_FROM, from.constData());
    curl_easy_setopt(c, CURLOPT_MAIL_RCPT, recipients);
    curl_easy_setopt(c, CURLOPT_READFUNCTION, &readPayload);
    curl_easy_setopt(c, CURLOPT_READDATA, &upload);
    curl_easy_setopt(c, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errorText);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, long(timeoutSeconds < 15 ? timeoutSeconds : 15));
    curl_easy_setopt(c, CURLOPT_TIMEOUT, long(timeoutSeconds));
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_VERBOSE, 0L);

    const CURLcode rc = curl_easy_perform(c);
    long response = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &response);
    return resultOf(rc, response, errorText);
}

} // namespace vanta::platform
