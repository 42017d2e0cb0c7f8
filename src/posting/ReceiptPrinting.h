#pragma once

#include "posting/SaleDocuments.h"

#include <QString>

namespace vanta::platform {
class Prompt;
}

namespace vanta::posting {

// Prints a sale's receipt. When the printer cannot, shows `lead`, the
// printer's problem and "Print the receipt again?" (an exclamation box with
// Yes and No under the title "Vanta POS") and tries again for as long as the
// cashier answers Yes. True when the receipt was printed.
bool PrintReceiptOfferingRetry(SaleDocuments &documents, db::Store &store, platform::Prompt &prompt, qint32 saleId,
                               qint32 employeeId, ReceiptRequest how, const QString &lead);

// The lead of a receipt that failed right after its sale was posted.
QString receiptNotPrintedAfterPosting(qint32 saleId);

} // namespace vanta::posting
