#pragma once

#include "diagnostics/VantaError.h"

namespace vanta::posting {

// A printer that cannot print now (no queue, device absent, paper out, the
// print service refused the job): the description says so in plain words
// for the cashier. Not a fault of the register: shown, not reported.
class PrinterError : public VantaError {
public:
    explicit PrinterError(const QString &description) : VantaError(482, description, QStringLiteral("Vanta printing"))
    {
    }
};

} // namespace vanta::posting
