#include "posting/ReceiptPrinting.h"

#include "platform/Prompt.h"

namespace vanta::posting {

bool PrintReceiptOfferingRetry(SaleDocuments &documents, db::Store &store, platform::Prompt &prompt, qint32 saleId,
                               qint32 employeeId, ReceiptRequest how, const QString &lead)
{
    for (;;) {
        const QString problem = documents.printReceipt(store, saleId, employeeId, how);
        if (problem.isEmpty())
            return true;
        const QString text = lead + QStringLiteral("\n\n") + problem + QStringLiteral("\n\nPrint the receipt again?");
        if (prompt.message(text, platform::Buttons::YesNo, platform::Icon::Exclamation, QStringLiteral("Vanta POS"))
            != platform::Answer::Yes)
            return false;
    }
}

QString receiptNotPrintedAfterPosting(qint32 saleId)
{
    return QStringLiteral("Sale %1 is stored, but its receipt was not printed.").arg(saleId);
}

} // namespace vanta::posting
