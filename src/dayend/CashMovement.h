#pragma once

#include <QString>

namespace vanta::dayend {

// What happened at the drawer besides sales, as `Cash Movements`.`kind`
// stores it: cash brought in (change from the bank) or taken out (a supplier
// paid from the till), the drawer opened without a sale, a sale cancelled
// (its amount is what the sale came to; no cash moved).
enum class MovementKind { PaidIn, PaidOut, NoSale, CancelledSale };

QString movementKindName(MovementKind kind);

} // namespace vanta::dayend
