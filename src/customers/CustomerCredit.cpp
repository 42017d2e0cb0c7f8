#include "customers/CustomerCredit.h"

#include "db/Recordset.h"
#include "platform/Currency.h"

#include <algorithm>

namespace vanta::customers {

qint64 availableCreditCents(const QVariant &creditLimit, const QVariant &balance)
{
    // Both columns are single precision: read them as such, so a limit of
    // 1234.57 is 123457 cents and not one cent less.
    return toCents(db::asSingle(creditLimit)) - toCents(db::asSingle(balance));
}

qint64 shownAvailableCreditCents(const QVariant &creditLimit, const QVariant &balance)
{
    return std::max<qint64>(0, availableCreditCents(creditLimit, balance));
}

} // namespace vanta::customers
