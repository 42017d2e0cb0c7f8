#include "posting/DocumentFormat.h"

#include "platform/Currency.h"

namespace vanta::posting {

QString htmlText(const QString &text)
{
    QString escaped = text.toHtmlEscaped();
    escaped.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    escaped.replace(QLatin1Char('\n'), QStringLiteral("<br/>"));
    return escaped;
}

QString htmlLines(const QStringList &lines)
{
    return htmlText(lines.join(QLatin1Char('\n')));
}

QString documentDate(const QDateTime &when)
{
    return when.isValid() ? when.toString(QStringLiteral("M/d/yyyy")) : QString();
}

QString documentDateTime(const QDateTime &when)
{
    return when.isValid() ? when.toString(QStringLiteral("M/d/yyyy h:mm AP")) : QString();
}

QString documentQuantity(double qty)
{
    return formatPlain(qty);
}

} // namespace vanta::posting
