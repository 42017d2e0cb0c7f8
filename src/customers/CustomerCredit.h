#pragma once

#include <QVariant>

namespace vanta::customers {

// The credit a customer has left to buy on account, in whole cents: the
// `credit limit` less the `balance` already owed, each read as 0 when empty.
// Negative when the customer owes more than the limit. The customer list
// shows it and the invoice check compares a sale's total with it.
qint64 availableCreditCents(const QVariant &creditLimit, const QVariant &balance);

// The same as the customer list shows it: 0 when nothing is left.
qint64 shownAvailableCreditCents(const QVariant &creditLimit, const QVariant &balance);

} // namespace vanta::customers
