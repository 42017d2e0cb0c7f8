#pragma once

#include "diagnostics/VantaError.h"

namespace vanta::dayend {

// A shift command refused (a second shift, a second Z report): the
// description is said to the cashier as it stands.
class ShiftError : public VantaError {
public:
    explicit ShiftError(const QString &description) : VantaError(5, description, QStringLiteral("Vanta shifts")) {}
};

} // namespace vanta::dayend
