#pragma once

#include "journal/JournalFile.h"

#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace vanta::db {
class Store;
}

namespace vanta::offline {

// The sale numbers this register set aside on the server for sales it rings
// up while the server is away. They come from a range no other draw uses
// (see db::kOfflineSaleNumbersFrom), each held by one register through a
// unique row of `Offline Sale Numbers`, so two registers selling offline at
// once never give the same number, and a posted sale never had one of
// another register's. The numbers in hand are kept in a small file that a
// kill or a power cut leaves whole; a number taken is gone from it for good
// before a sale under it is kept.
class OfflineNumbers {
public:
    // How many the register keeps in hand: a long day's sales.
    static constexpr int kKept = 250;

    // The numbers kept in `file`; none when there is none. A file that cannot
    // be read is set aside (problem() tells) and the register starts with none.
    explicit OfflineNumbers(const QString &file);

    int count() const { return int(mNumbers.size()); }
    // What was wrong with the file when it was read; empty when nothing.
    const QString &problem() const { return mProblem; }

    // Sets aside numbers on the server until `want` are in hand, in one
    // transaction, and keeps them in the file. Throws the store's error when
    // the server cannot be written (the numbers in hand stay), JournalError
    // when the file cannot (those set aside are then lost, harmlessly).
    // Candidates come from `draw` (random ones of the offline range unless
    // given).
    void topUp(db::Store &server, const QString &registerName, int want = kKept,
               const std::function<qint32()> &draw = {});
    // The next number, taken off the file on disk; none when all are used.
    std::optional<qint32> take();

private:
    journal::JournalFile mFile;
    std::vector<qint32> mNumbers;
    QString mProblem;
};

} // namespace vanta::offline
