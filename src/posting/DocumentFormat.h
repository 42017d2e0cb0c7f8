#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace vanta::posting {

// How receipts and reports write texts, dates and numbers.

// The text made safe for HTML; line breaks become <br/>.
QString htmlText(const QString &text);
// The lines made safe for HTML, one per row.
QString htmlLines(const QStringList &lines);

// "3/14/2025"; empty for no date.
QString documentDate(const QDateTime &when);
// "3/14/2025 2:05 PM"; empty for no date.
QString documentDateTime(const QDateTime &when);
// A quantity as short plain text ("3", "2.5").
QString documentQuantity(double qty);

} // namespace vanta::posting
