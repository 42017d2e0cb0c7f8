#pragma once

#include <QtGlobal>
#include <functional>

namespace vanta::db {

class Database;
class Store;

// A random positive 32-bit id not yet used as a sale number (`Sales`.`Sales
// ID`), sold-line number (`Sold Items`.`Sold ID`) or customer number
// (`Customers`.`Cust ID`) in the store.
qint32 NewUniqueID(Store &store);
// The same with the candidates drawn from `draw` (tests); candidates that
// are not positive are skipped. Throws VantaError when no free id turns up
// after many draws.
qint32 NewUniqueID(Store &store, const std::function<qint32()> &draw);
// The same, checked on a given connection (inside a transaction it sees
// that transaction's own rows too).
qint32 NewUniqueID(const Database &db);
qint32 NewUniqueID(const Database &db, const std::function<qint32()> &draw);

// Numbers from here up are kept for sales rung up while the server is away:
// each register sets some aside for itself beforehand (see the offline
// layer), and no other draw takes one, so none is ever in two registers'
// hands.
constexpr qint32 kOfflineSaleNumbersFrom = 2013265920; // 2^31 - 2^27

// A random positive 32-bit number below the offline sale numbers, not
// checked against the store: for a writer whose insert into a unique index
// tells it when a number is taken.
qint32 NewIdCandidate();
// A random number of the offline sale numbers, not checked either.
qint32 NewOfflineSaleNumberCandidate();

} // namespace vanta::db
