#pragma once

#include <QString>

namespace vanta::settings {

// Results of the connection check.
enum ConnectionStatus : qint32 {
    AlreadyConnected = 1,
    DialedUp = 2,      // never on this system: there is no dial-up to make
    NotConfigured = 3, // offline, no connection configured
    DialFailed = 4
};

// Codes 1 and 2 count as connected.
inline bool isConnected(qint32 status) { return status == AlreadyConnected || status == DialedUp; }

// True when the system has a default route (IPv4 or IPv6) in the routing
// tables given (the kernel's /proc/net/route and /proc/net/ipv6_route).
bool hasDefaultRoute(const QString &ipv4Routes = QStringLiteral("/proc/net/route"),
                     const QString &ipv6Routes = QStringLiteral("/proc/net/ipv6_route"));

// The connection check before mail is sent: 1 when the workstation is online,
// 3 when it is not. A mail server on this machine needs no network, so it
// always counts as connected.
qint32 InternetConnect(const QString &mailHost = QString());

} // namespace vanta::settings
