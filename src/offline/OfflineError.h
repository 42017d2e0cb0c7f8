#pragma once

#include "diagnostics/VantaError.h"

namespace vanta::offline {

// Selling while the server is away went wrong: a queued sale that cannot be
// read, a queue that cannot be written, no sale numbers left.
class OfflineError : public VantaError {
public:
    static constexpr int Number = 31101;
    explicit OfflineError(const QString &description)
        : VantaError(Number, description, QStringLiteral("Vanta offline selling")) {}
};

} // namespace vanta::offline
