// Posts the kill test's sale on the store given (a data folder or a server
// address), printing each committed sale number: again and again until it
// is killed, or COUNT times when a count is given. A third argument holding
// "reverse" posts the lines in the opposite order, as a second register
// might have them; holding "guarded", the lines are not accepted beyond
// the stock on hand.
#include "diagnostics/VantaError.h"
#include "db/Store.h"
#include "db/UniqueId.h"
#include "posting/KillTestSale.h"
#include "posting/SalePosting.h"
#include "tax/SaleTax.h"
#include "storegen/DemoStore.h"
#include "support/ScriptedPrompt.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>

using namespace vanta;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2 || argc > 4) {
        std::fprintf(stderr, "usage: vanta_posting_child <data folder or server address> [count [reverse,guarded]]\n");
        return 2;
    }
    const long count = argc >= 3 ? std::atol(argv[2]) : -1;
    const QByteArray flags = argc == 4 ? QByteArray(argv[3]) : QByteArray();
    try {
        db::Store store(QString::fromLocal8Bit(argv[1]));
        test::ScriptedPrompt prompt;
        sale::clsSaleItems items = test::killtest::killSale(flags.contains("reverse"), flags.contains("guarded"));
        const std::vector<tax::AgencyTax> agencies =
            tax::ComputeSaleTax(store, items, storegen::demo::CashSaleCustomer, 0).agencies;
        std::printf("ready\n");
        std::fflush(stdout);
        for (long posted = 0; count < 0 || posted < count; ++posted) {
            posting::PostingRequest request;
            request.saleId = db::NewUniqueID(store);
            request.customerId = storegen::demo::CashSaleCustomer;
            request.payTypeId = 1;
            request.employeeId = storegen::demo::CashierEmployee;
            request.amounts = {7164, 467, 8000, 836, 0};
            request.taxByAgency = agencies;
            if (!posting::PostSale(store, items, request, prompt)) {
                std::fprintf(stderr, "posting failed: %s\n", qPrintable(prompt.texts().join(" / ")));
                return 1;
            }
            std::printf("%d\n", request.saleId);
            std::fflush(stdout);
        }
        return 0;
    } catch (const VantaError &e) {
        std::fprintf(stderr, "error %d: %s\n", e.number(), qPrintable(e.description()));
        return 1;
    }
}
