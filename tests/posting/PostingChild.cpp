// Posts the kill test's sale on the store of the data folder given, again
// and again, printing each committed sale number, until it is killed.
#include "db/Store.h"
#include "db/UniqueId.h"
#include "posting/KillTestSale.h"
#include "posting/SalePosting.h"
#include "storegen/DemoStore.h"
#include "support/ScriptedPrompt.h"

#include <QCoreApplication>
#include <cstdio>

using namespace vanta;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: vanta_posting_child <data folder>\n");
        return 2;
    }
    try {
        db::Store store(QString::fromLocal8Bit(argv[1]));
        test::ScriptedPrompt prompt;
        const sale::clsSaleItems items = test::killtest::killSale();
        std::printf("ready\n");
        std::fflush(stdout);
        for (;;) {
            posting::PostingRequest request;
            request.saleId = db::NewUniqueID(store);
            request.customerId = storegen::demo::CashSaleCustomer;
            request.payTypeId = 1;
            request.employeeId = storegen::demo::CashierEmployee;
            request.amounts = {7164, 467, 8000, 836, 0};
            if (!posting::PostSale(store, items, request, prompt)) {
                std::fprintf(stderr, "posting failed: %s\n", qPrintable(prompt.texts().join(" / ")));
                return 1;
            }
            std::printf("%d\n", request.saleId);
            std::fflush(stdout);
        }
    } catch (const VantaError &e) {
        std::fprintf(stderr, "error %d: %s\n", e.number(), qPrintable(e.description()));
        return 1;
    }
}
