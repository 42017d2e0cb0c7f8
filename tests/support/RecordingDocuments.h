#pragma once

#include "posting/SaleDocuments.h"

#include <QStringList>

namespace vanta::test {

// Documents of posted sales, recorded instead of printed.
class RecordingDocuments : public posting::SaleDocuments {
public:
    int printerCount() override { return printers; }
    // "receipt 31 by 2", with " COPY" and " +drawer" as asked. Each call
    // takes the next of `problems` as the printer's answer ("" printed).
    QString printReceipt(db::Store &, qint32 saleId, qint32 employeeId, posting::ReceiptRequest how) override
    {
        printed << QStringLiteral("receipt %1 by %2%3%4")
                       .arg(saleId)
                       .arg(employeeId)
                       .arg(how.copy ? QStringLiteral(" COPY") : QString(),
                            how.openDrawer ? QStringLiteral(" +drawer") : QString());
        return problems.isEmpty() ? QString() : problems.takeFirst();
    }
    QString openCashDrawer() override
    {
        printed << QStringLiteral("drawer");
        return problems.isEmpty() ? QString() : problems.takeFirst();
    }
    void printReport(db::Store &, const QString &layoutFile, qint32 saleId) override
    {
        printed << QStringLiteral("%1 %2").arg(layoutFile).arg(saleId);
    }

    int printers = 1;
    QStringList printed;
    QStringList problems;
};

} // namespace vanta::test
