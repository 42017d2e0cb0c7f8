#include "settings/modInternetConnect.h"

#include "diagnostics/Trace.h"
#include "platform/SmtpMail.h"

#include <QFile>
#include <QStringList>

namespace vanta::settings {

namespace {

// Any line whose destination column (and, for IPv6, prefix length) is all
// zeros is a default route.
bool defaultRouteIn(const QString &path, int destinationColumn, int prefixColumn)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    while (!file.atEnd()) {
        const QStringList cols = QString::fromLatin1(file.readLine()).simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (cols.size() <= std::max(destinationColumn, prefixColumn))
            continue;
        const QString dest = cols[destinationColumn];
        if (dest.isEmpty() || dest.count(QLatin1Char('0')) != dest.size())
            continue;
        if (prefixColumn >= 0 && cols[prefixColumn] != QLatin1String("00"))
            continue;
        // The IPv6 table lists the loopback's default "unreachable" route on
        // device lo: not a way out.
        if (cols.last() == QLatin1String("lo"))
            continue;
        return true;
    }
    return false;
}

} // namespace

bool hasDefaultRoute(const QString &ipv4Routes, const QString &ipv6Routes)
{
    // /proc/net/route: Iface Destination Gateway ...; ipv6_route: dest prefix ...
    return defaultRouteIn(ipv4Routes, 1, -1) || defaultRouteIn(ipv6Routes, 0, 1);
}

qint32 InternetConnect(const QString &mailHost)
{
    return diag::run("modInternetConnect", "InternetConnect", qint32(NotConfigured), [&] {
        if (!mailHost.isEmpty() && platform::isLocalHost(mailHost))
            return qint32(AlreadyConnected);
        return hasDefaultRoute() ? qint32(AlreadyConnected) : qint32(NotConfigured);
    });
}

} // namespace vanta::settings
