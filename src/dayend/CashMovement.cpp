#include "dayend/CashMovement.h"

#include <array>
#include <utility>

namespace vanta::dayend {

namespace {

const std::array<std::pair<MovementKind, const char *>, 4> kNames{{{MovementKind::PaidIn, "Paid In"},
                                                                    {MovementKind::PaidOut, "Paid Out"},
                                                                    {MovementKind::NoSale, "No Sale"},
                                                                    {MovementKind::CancelledSale, "Cancelled Sale"}}};

} // namespace

QString movementKindName(MovementKind kind)
{
    for (const auto &[k, name] : kNames)
        if (k == kind)
            return QString::fromLatin1(name);
    return {};
}

} // namespace vanta::dayend
