#include "platform/NumberText.h"

namespace vanta {

double leadingNumber(const QString &text)
{
    QString s;
    for (QChar c : text)
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\n'))
            s += c;
    qsizetype i = 0;
    auto skipDigits = [&s](qsizetype &pos) {
        const qsizetype start = pos;
        while (pos < s.size() && s[pos].unicode() >= '0' && s[pos].unicode() <= '9')
            ++pos;
        return pos - start;
    };
    if (i < s.size() && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-')))
        ++i;
    qsizetype digits = skipDigits(i);
    if (i < s.size() && s[i] == QLatin1Char('.')) {
        ++i;
        digits += skipDigits(i);
    }
    if (digits == 0)
        return 0.0;
    qsizetype end = i;
    if (i < s.size() && QStringLiteral("eEdD").contains(s[i])) {
        qsizetype j = i + 1;
        if (j < s.size() && (s[j] == QLatin1Char('+') || s[j] == QLatin1Char('-')))
            ++j;
        if (skipDigits(j) > 0) {
            s[i] = QLatin1Char('e');
            end = j;
        }
    }
    const double value = s.left(end).toDouble();
    return std::isfinite(value) ? value : 0.0;
}

} // namespace vanta
