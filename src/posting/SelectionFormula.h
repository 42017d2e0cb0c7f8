#pragma once

#include <QString>

namespace vanta::posting {

// The record selection a report job is given: "{Sales.Sales id} = " and the
// sale number in decimal.
QString saleSelectionFormula(qint32 saleId);

// The sale number of a selection formula. Only the exact form above is
// understood (an optional minus sign, decimal digits, a value that fits a
// Long); anything else throws VantaError.
qint32 parseSaleSelectionFormula(const QString &formula);

} // namespace vanta::posting
