// vanta-admin: the back-office stand-in that writes store databases.
#include "storegen/AdminCommand.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vanta-admin"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VANTA_VERSION));

    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int rc = vanta::storegen::runAdmin(args, out, err);
    out.flush();
    err.flush();
    return rc;
}
