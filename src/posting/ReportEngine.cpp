#include "posting/ReportEngine.h"

#include "db/EmployeeName.h"
#include "platform/ProgramFiles.h"
#include "posting/ReportFields.h"
#include "posting/ReportLayout.h"
#include "posting/SaleRecord.h"
#include "posting/SelectionFormula.h"

namespace vanta::posting {

namespace {

// Ordinary sales store the employee number as the sales representative;
// print the employee's name for it.
QString salesRepName(db::Store &store, const QString &stored)
{
    bool ok = false;
    const qint32 number = stored.toInt(&ok);
    if (!ok || number <= 0 || stored != QString::number(number))
        return stored;
    const QString name = db::GetUserName(store, number).simplified();
    return name == QLatin1String("None") ? stored : name;
}

} // namespace

QString reportsFolder() { return platform::programFilesFolder(QStringLiteral("reports")); }

RenderedDocument runReport(db::Store &store, const QString &layoutPath, const QString &selectionFormula)
{
    const qint32 saleId = parseSaleSelectionFormula(selectionFormula);
    const ReportLayout layout = ReportLayout::load(layoutPath);
    const SaleRecord sale = LoadSaleRecord(store, saleId);
    RenderedDocument doc;
    doc.title = QStringLiteral("%1 %2").arg(layout.title()).arg(saleId);
    doc.html = layout.fill(saleReportData(sale, salesRepName(store, sale.salesRep)));
    doc.page = layout.page();
    return doc;
}

} // namespace vanta::posting
