#include "posting/ReceiptCode.h"

#include <algorithm>

namespace vanta::posting {

namespace {

const QString kPrefix = QStringLiteral("SALE#");

} // namespace

QString receiptCode(qint32 saleId) { return kPrefix + QString::number(saleId); }

std::optional<qint32> saleOfReceiptCode(const QString &code, bool plainNumber)
{
    QString digits = code.trimmed();
    if (digits.startsWith(kPrefix, Qt::CaseInsensitive))
        digits = digits.mid(kPrefix.size());
    else if (!plainNumber)
        return std::nullopt;
    bool ok = false;
    const qint32 id = digits.toInt(&ok);
    // Digits only: no sign, blank or other text inside.
    if (!ok || id <= 0 || digits.isEmpty() || !std::all_of(digits.begin(), digits.end(), [](QChar c) { return c.isDigit(); }))
        return std::nullopt;
    return id;
}

} // namespace vanta::posting
