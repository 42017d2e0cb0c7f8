#pragma once

#include "diagnostics/VantaError.h"

namespace vanta::journal {

// The open sale's journal could not be written or read: the file system
// refused, or the file holds no intact record.
class JournalError : public VantaError {
public:
    static constexpr int Number = 31001;
    explicit JournalError(const QString &description)
        : VantaError(Number, description, QStringLiteral("SaleJournal")) {}
};

} // namespace vanta::journal
