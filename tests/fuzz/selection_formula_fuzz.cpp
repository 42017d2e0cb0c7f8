// The record selection of a report job: only "{Sales.Sales id} = N" is read.
#include "FuzzInput.h"
#include "diagnostics/VantaError.h"
#include "posting/SelectionFormula.h"

using namespace vanta;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString input = fuzz::text(data, size);
    qint32 id = 0;
    try {
        id = posting::parseSaleSelectionFormula(input);
    } catch (const VantaError &e) {
        fuzz::require(e.description().contains(QStringLiteral("is not understood")), "a refusal says why", input);
        return 0;
    }
    fuzz::require(input.startsWith(QStringLiteral("{Sales.Sales id} = ")), "only the exact form is read", input);
    fuzz::require(posting::parseSaleSelectionFormula(posting::saleSelectionFormula(id)) == id,
                  "the formula of a sale reads back to the sale", input);
    return 0;
}
