#include "dayend/DrawerCount.h"

#include "dayend/AmountEntry.h"
#include "platform/Currency.h"

namespace vanta::dayend {

const std::vector<Denomination> &denominations()
{
    static const std::vector<Denomination> all{
        {10000, QStringLiteral("$100 bills")}, {5000, QStringLiteral("$50 bills")}, {2000, QStringLiteral("$20 bills")},
        {1000, QStringLiteral("$10 bills")},   {500, QStringLiteral("$5 bills")},   {100, QStringLiteral("$1 bills")},
        {100, QStringLiteral("Dollar coins")}, {25, QStringLiteral("Quarters")},    {10, QStringLiteral("Dimes")},
        {5, QStringLiteral("Nickels")},        {1, QStringLiteral("Pennies")}};
    return all;
}

std::optional<qint64> DrawerCount::cents(QString *problem) const
{
    const auto refuse = [problem](const QString &why) -> std::optional<qint64> {
        if (problem)
            *problem = why;
        return std::nullopt;
    };
    if (!wholeAmount.trimmed().isEmpty()) {
        const AmountEntry whole = readDrawerAmount(wholeAmount, true);
        return whole.cents ? whole.cents : refuse(whole.problem);
    }
    qint64 total = 0;
    const std::vector<Denomination> &all = denominations();
    for (size_t i = 0; i < all.size(); ++i) {
        const QString typed = i < size_t(counts.size()) ? counts[qsizetype(i)].trimmed() : QString();
        if (typed.isEmpty())
            continue;
        bool whole = false;
        const qint64 n = typed.toLongLong(&whole);
        if (!whole || n < 0)
            return refuse(QStringLiteral("\"%1\" is not a number of %2. Type how many there are, such as 12.")
                              .arg(typed, all[i].name.toLower()));
        if (n > kMostDrawerCents / all[i].cents || total + n * all[i].cents > kMostDrawerCents)
            return refuse(QStringLiteral("The drawer cannot hold over %1.").arg(formatCurrencyCents(kMostDrawerCents)));
        total += n * all[i].cents;
    }
    return total;
}

} // namespace vanta::dayend
