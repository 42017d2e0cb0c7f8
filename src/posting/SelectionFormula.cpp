#include "posting/SelectionFormula.h"

#include "diagnostics/VantaError.h"

namespace vanta::posting {

namespace {
const QLatin1String kPrefix("{Sales.Sales id} = ");

[[noreturn]] void refuse(const QString &formula)
{
    throw VantaError(5, QStringLiteral("The report selection \"%1\" is not understood; expected {Sales.Sales id} = "
                                       "followed by a sale number.")
                            .arg(formula),
                     QStringLiteral("Vanta reports"));
}
} // namespace

QString saleSelectionFormula(qint32 saleId)
{
    return kPrefix + QString::number(saleId);
}

qint32 parseSaleSelectionFormula(const QString &formula)
{
    if (!formula.startsWith(kPrefix))
        refuse(formula);
    const QString number = formula.mid(kPrefix.size());
    const QString digits = number.startsWith(QLatin1Char('-')) ? number.mid(1) : number;
    if (digits.isEmpty())
        refuse(formula);
    for (QChar c : digits)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            refuse(formula);
    bool ok = false;
    const qint32 id = number.toInt(&ok);
    if (!ok)
        refuse(formula);
    return id;
}

} // namespace vanta::posting
