#include "tax/TaxNumbers.h"

#include "db/Recordset.h"
#include "diagnostics/ApplicationTitle.h"
#include "diagnostics/Trace.h"
#include "diagnostics/VantaError.h"

#include <QString>
#include <cmath>
#include <limits>

namespace vanta::tax {

namespace {

[[noreturn]] void overflow()
{
    throw VantaError(6, QStringLiteral("Overflow"), applicationTitle());
}

} // namespace

qint16 toInteger(qint64 value)
{
    if (value < std::numeric_limits<qint16>::min() || value > std::numeric_limits<qint16>::max())
        overflow();
    return qint16(value);
}

double CustomRound(double value, qint16 digit)
{
    return diag::run("modPOS", "CustomRound", 0.0, [&] {
        // 16-bit arithmetic: both the sum and the difference must fit.
        const qint16 next = toInteger(qint64(digit) + 1);
        const qint16 k = toInteger(10 - qint64(next));
        // The scaled value to 15 significant digits, as written in decimal:
        // 0.285 + 0.005 is 29 cents, not the 28.999999999999996 of its
        // binary value.
        const double v = QString::number((value + k * 0.001) * 100, 'g', 15).toDouble();
        return std::floor(v) / 100;
    });
}

qint16 asInteger(const QVariant &value)
{
    if (value.isNull())
        return 0;
    const double d = db::asDouble(value);
    // Integer columns hold whole numbers; a fraction is rounded as the
    // engine converts it.
    const double r = std::nearbyint(d);
    if (!std::isfinite(r) || r < std::numeric_limits<qint16>::min() || r > std::numeric_limits<qint16>::max())
        overflow();
    return qint16(r);
}

double FixedTaxRate(double salesTax) { return salesTax >= 1 ? salesTax / 100 : salesTax; }

} // namespace vanta::tax
