#pragma once

#include "posting/RenderedDocument.h"

#include <QString>

namespace vanta::db {
class Store;
}

namespace vanta::posting {

// The folder holding the report layouts: "reports" beside the program, or
// share/vanta-pos/reports of an installed tree.
QString reportsFolder();

// Runs a layout for the sale the selection formula names
// ("{Sales.Sales id} = N"): the filled HTML, its page and a title such as
// "Invoice 1234". Throws VantaError for a bad formula, a missing or broken
// layout or a sale that is not stored.
RenderedDocument runReport(db::Store &store, const QString &layoutPath, const QString &selectionFormula);

} // namespace vanta::posting
