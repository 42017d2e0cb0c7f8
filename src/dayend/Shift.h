#pragma once

#include <QDateTime>
#include <QString>

namespace vanta::dayend {

// A register's shift as `Shifts` keeps it. `zNumber` is 0 while it is open.
struct Shift {
    qint32 id = 0;
    QString registerName;
    qint32 zNumber = 0;
    QDateTime openedAt;
    qint32 openedBy = 0;
    qint64 floatCents = 0;
};

} // namespace vanta::dayend
