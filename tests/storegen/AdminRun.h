#pragma once

#include "storegen/AdminCommand.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace vanta::test {

// One vanta-admin command line run in this process: its exit code and what
// it wrote to its output and its errors.
struct AdminRun {
    int rc;
    QString out;
    QString err;
};

inline AdminRun admin(const QStringList &args)
{
    AdminRun r;
    QTextStream out(&r.out);
    QTextStream err(&r.err);
    r.rc = storegen::runAdmin(args, out, err);
    out.flush();
    err.flush();
    return r;
}

} // namespace vanta::test
