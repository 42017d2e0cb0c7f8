// Money and number text: what a cashier types into price, quantity and
// payment fields, and what the register reads back from its own texts.
#include "FuzzInput.h"
#include "diagnostics/VantaError.h"
#include "platform/Currency.h"
#include "platform/NumberText.h"

#include <cmath>

using namespace vanta;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString input = fuzz::text(data, size);

    fuzz::require(std::isfinite(leadingNumber(input)), "leadingNumber gives a finite number", input);

    const std::optional<double> value = parseNumber(input);
    fuzz::require(value.has_value() == isNumeric(input), "isNumeric agrees with parseNumber", input);
    if (!value)
        return 0;
    fuzz::require(std::isfinite(*value), "parseNumber gives a finite number", input);
    fuzz::require(parseCurrency(input) == *value, "parseCurrency agrees with parseNumber", input);

    qint64 cents = 0;
    try {
        cents = toCents(*value);
    } catch (const VantaError &) {
        return 0; // too large to show: refused, not misread
    }
    // What the register shows reads back to the same cents, with and without
    // the dollar sign.
    const QString shown = formatCurrency(*value);
    fuzz::require(shown == formatCurrencyCents(cents), "formatCurrency shows the amount's cents", input);
    for (const QString &text : {shown, formatNumber(*value)}) {
        const std::optional<double> back = parseNumber(text);
        fuzz::require(back.has_value(), "a shown amount is numeric", input);
        fuzz::require(toCents(*back) == cents, "a shown amount reads back to the same cents", input);
    }
    const std::optional<double> plain = parseNumber(formatPlain(*value));
    fuzz::require(plain.has_value(), "a plain number is numeric", input);
    return 0;
}
