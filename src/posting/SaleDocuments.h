#pragma once

#include <QString>

namespace vanta::db {
class Store;
}

namespace vanta::posting {

// Where a posted sale's documents go: the receipt of an ordinary sale and the
// report layouts of an invoice sale ("singlesale.rpt", "packingslip.rpt").
// Each reads the sale from the store it is given. The real one prints through Qt print support or writes PDF files; tests
// record what was asked.
class SaleDocuments {
public:
    virtual ~SaleDocuments() = default;
    // Installed printers; output to PDF files counts as one.
    virtual int printerCount() = 0;
    // The receipt of an ordinary sale.
    virtual void printReceipt(db::Store &store, qint32 saleId, qint32 employeeId) = 0;
    // A report layout for the sale, with the destination of the report
    // settings (0 preview on screen, 1 printer).
    virtual void printReport(db::Store &store, const QString &layoutFile, qint32 saleId) = 0;
};

} // namespace vanta::posting
