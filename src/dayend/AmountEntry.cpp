#include "dayend/AmountEntry.h"

#include "platform/Currency.h"

#include <cmath>

namespace vanta::dayend {

namespace {

AmountEntry refused(const QString &problem) { return {std::nullopt, problem}; }

} // namespace

AmountEntry readDrawerAmount(const QString &text, bool zeroAllowed)
{
    const QString typed = text.trimmed();
    if (typed.isEmpty())
        return refused(QStringLiteral("Type an amount, such as 25.00."));
    const std::optional<double> value = parseNumber(typed);
    if (!value)
        return refused(QStringLiteral("\"%1\" is not an amount of money. Type it in digits, such as 25.00.").arg(typed));
    if (*value < 0)
        return refused(QStringLiteral("The amount cannot be below 0."));
    if (*value > double(kMostDrawerCents) / 100.0)
        return refused(QStringLiteral("The amount cannot be over %1.").arg(formatCurrencyCents(kMostDrawerCents)));
    const qint64 cents = toCents(*value);
    if (std::abs(*value * 100.0 - double(cents)) > 1e-6)
        return refused(QStringLiteral("An amount has at most two decimals (cents)."));
    if (cents == 0 && !zeroAllowed)
        return refused(QStringLiteral("The amount must be more than 0."));
    return {cents, {}};
}

} // namespace vanta::dayend
