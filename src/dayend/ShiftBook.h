#pragma once

#include "dayend/CashMovement.h"
#include "dayend/Shift.h"
#include "dayend/ShiftFigures.h"

#include <optional>

namespace vanta::db {
class Store;
}

namespace vanta::dayend {

// The shifts of one register in the store (`Shifts`, `Cash Movements`): at
// most one open at a time; closing one gives it the register's next Z number
// and keeps its figures as they were then.
class ShiftBook {
public:
    ShiftBook(db::Store &store, QString registerName);

    const QString &registerName() const { return mRegister; }

    // The shift open on this register, if any.
    std::optional<Shift> current() const;
    // Opens a shift with the float in the drawer. Throws ShiftError when one
    // is open already.
    Shift open(qint32 employeeId, qint64 floatCents);
    // Cash paid in or out, a drawer opened without a sale, a sale cancelled.
    void record(const Shift &shift, MovementKind kind, qint64 cents, const QString &reason, qint32 employeeId);
    // Closes the shift with its Z report: the figures as of now with the
    // cash counted (none after a crash), kept with the shift. Throws
    // ShiftError when it was closed already.
    ShiftFigures close(const Shift &shift, std::optional<qint64> countedCash, qint32 employeeId, bool afterCrash);
    // A Z report of this register as it was kept; none when there is no
    // such number.
    std::optional<ShiftFigures> zReport(qint32 zNumber) const;
    // The register's last Z number (0: none yet).
    qint32 lastZNumber() const;

private:
    db::Store &mStore;
    QString mRegister;
};

} // namespace vanta::dayend
