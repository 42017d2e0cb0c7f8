// Report layouts (*.rpt): a head comment and HTML with {{...}} placeholders
// and sections. A layout file can be edited by anyone with access to the
// program's folder.
#include "FuzzInput.h"
#include "diagnostics/VantaError.h"
#include "posting/ReportLayout.h"

using namespace vanta;

namespace {

// Field values hold markup, so that a value reaching the page unescaped shows.
const QString kMarkup = QStringLiteral("<i id=leak>");

posting::ReportData sampleData()
{
    posting::ReportData data;
    data.fields = {{QStringLiteral("Name"), kMarkup + QStringLiteral("Dana & Co")},
                   {QStringLiteral("Total"), QStringLiteral("$1,234.50")},
                   {QStringLiteral("Empty"), QString()},
                   {QStringLiteral("Sales.Sales_id"), QStringLiteral("42")}};
    data.lineFields = {QStringLiteral("Qty"), QStringLiteral("Item")};
    data.lines = {{{QStringLiteral("Qty"), QStringLiteral("2")}, {QStringLiteral("Item"), kMarkup}},
                  {{QStringLiteral("Qty"), QStringLiteral("1")}, {QStringLiteral("Item"), QStringLiteral("Tee\nL")}}};
    return data;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const posting::ReportData sample = sampleData();
    const QString input = fuzz::text(data, size);
    try {
        const posting::ReportLayout layout = posting::ReportLayout::parse(input, QStringLiteral("fuzz.rpt"));
        const QString html = layout.fill(sample);
        fuzz::require(input.contains(kMarkup) || !html.contains(kMarkup), "field values are escaped", input);
    } catch (const VantaError &e) {
        fuzz::require(e.description().startsWith(QStringLiteral("The report layout fuzz.rpt cannot be used: ")),
                      "a refused layout is named", input);
    }
    return 0;
}
