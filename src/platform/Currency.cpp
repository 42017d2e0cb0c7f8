#include "platform/Currency.h"

#include "diagnostics/ApplicationTitle.h"
#include "diagnostics/VantaError.h"

#include <cmath>

namespace vanta {

namespace {

// Largest amount the two-decimal formats show (that of a 64-bit currency).
constexpr double kMaxAmount = 922337203685477.0;

// Whole cents of |amount|, rounded half away from zero after reading the
// amount to 15 significant digits (so 1.005 gives 101, not 100).
qint64 absoluteCents(double amount)
{
    if (!std::isfinite(amount) || std::fabs(amount) > kMaxAmount)
        throw VantaError(6, QStringLiteral("Overflow"), applicationTitle());
    const double scaled = QString::number(std::fabs(amount) * 100.0, 'g', 15).toDouble();
    return qint64(std::floor(scaled + 0.5));
}

// "1,234.50" for 123450 cents.
QString groupedCents(qint64 cents)
{
    QString whole = QString::number(cents / 100);
    for (qsizetype i = whole.size() - 3; i > 0; i -= 3)
        whole.insert(i, QLatin1Char(','));
    return whole + QLatin1Char('.') + QStringLiteral("%1").arg(cents % 100, 2, 10, QLatin1Char('0'));
}

QString formatTwoDecimals(qint64 cents, const QString &symbol)
{
    const qint64 magnitude = cents < 0 ? -cents : cents;
    return (cents < 0 ? QStringLiteral("-") : QString()) + symbol + groupedCents(magnitude);
}

bool isAsciiDigit(QChar c) { return c.unicode() >= '0' && c.unicode() <= '9'; }

} // namespace

qint64 toCents(double amount)
{
    const qint64 cents = absoluteCents(amount);
    return amount < 0 ? -cents : cents;
}

QString formatCurrency(double amount) { return formatCurrencyCents(toCents(amount)); }

QString formatNumber(double amount) { return formatNumberCents(toCents(amount)); }

QString formatCurrencyCents(qint64 cents) { return formatTwoDecimals(cents, QStringLiteral("$")); }

QString formatNumberCents(qint64 cents) { return formatTwoDecimals(cents, QString()); }

QString formatPlain(double value) { return QString::number(value, 'g', 7); }

std::optional<double> parseNumber(const QString &text)
{
    QString s = text.trimmed();
    bool negative = false;
    if (s.startsWith(QLatin1Char('(')) && s.endsWith(QLatin1Char(')'))) {
        negative = true;
        s = s.mid(1, s.size() - 2).trimmed();
    }
    qsizetype i = 0;
    bool signSeen = false;
    auto takeSign = [&] {
        if (!signSeen && i < s.size() && (s[i] == QLatin1Char('-') || s[i] == QLatin1Char('+'))) {
            negative = negative != (s[i] == QLatin1Char('-'));
            signSeen = true;
            ++i;
        }
    };
    takeSign();
    if (i < s.size() && s[i] == QLatin1Char('$'))
        ++i;
    takeSign();
    if (signSeen && text.trimmed().startsWith(QLatin1Char('(')))
        return std::nullopt; // "(-1)" is not a number

    // Digits with thousands separators, a decimal part, then an exponent.
    QString clean;
    int digits = 0;
    for (; i < s.size(); ++i) {
        if (isAsciiDigit(s[i])) {
            clean += s[i];
            ++digits;
        } else if (s[i] == QLatin1Char(',') && digits > 0 && i + 1 < s.size() && isAsciiDigit(s[i + 1])) {
            continue;
        } else {
            break;
        }
    }
    if (i < s.size() && s[i] == QLatin1Char('.')) {
        clean += QLatin1Char('.');
        for (++i; i < s.size() && isAsciiDigit(s[i]); ++i, ++digits)
            clean += s[i];
    }
    if (digits == 0)
        return std::nullopt;
    if (i < s.size() && QStringLiteral("eEdD").contains(s[i])) {
        clean += QLatin1Char('e');
        ++i;
        if (i < s.size() && (s[i] == QLatin1Char('-') || s[i] == QLatin1Char('+')))
            clean += s[i++];
        const qsizetype expStart = i;
        for (; i < s.size() && isAsciiDigit(s[i]); ++i)
            clean += s[i];
        if (i == expStart)
            return std::nullopt;
    }
    if (i != s.size())
        return std::nullopt;
    bool ok = false;
    const double value = clean.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

bool isNumeric(const QString &text) { return parseNumber(text).has_value(); }

double parseCurrency(const QString &text)
{
    if (const auto value = parseNumber(text))
        return *value;
    throw VantaError(13, QStringLiteral("Type mismatch"), applicationTitle());
}

} // namespace vanta
