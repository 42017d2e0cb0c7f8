// The receipt printer's commands: reprint the last receipt, open the cash
// drawer.
#include "register/frmPOS.h"

#include "diagnostics/Trace.h"
#include "posting/ReceiptPrinting.h"
#include "posting/SaleDocuments.h"
#include "register/RegisterSession.h"
#include "security/CommandGate.h"

#include <QAction>
#include <QMenu>

namespace vanta {

// Kept apart from the rest of the menus: the receipt entries at the end of
// the menu given.
void frmPOS::buildReceiptCommands(QMenu *menu)
{
    menu->addSeparator();
    mnuReprintReceipt = menu->addAction(QStringLiteral("Re&print Last Receipt"));
    mnuReprintReceipt->setObjectName(QStringLiteral("mnuReprintReceipt"));
    mnuReprintReceipt->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    mnuReprintReceipt->setShortcutContext(Qt::ApplicationShortcut);
    addAction(mnuReprintReceipt);
    connect(mnuReprintReceipt, &QAction::triggered, this, &frmPOS::mnuReprintReceipt_Click);

    mnuOpenCashDrawer = menu->addAction(QStringLiteral("Open Cash &Drawer"));
    mnuOpenCashDrawer->setObjectName(QStringLiteral("mnuOpenCashDrawer"));
    connect(mnuOpenCashDrawer, &QAction::triggered, this, &frmPOS::mnuOpenCashDrawer_Click);
}

void frmPOS::mnuReprintReceipt_Click()
{
    diag::run("frmPOS", "mnuReprintReceipt_Click", [&] {
        posting::SaleDocuments *docs = mSession.documents;
        if (mSession.lastReceiptSale == 0) {
            mSession.prompt.message(QStringLiteral("No receipt has been printed at this register since it was started."),
                                    platform::Buttons::Ok, platform::Icon::Information, QString());
            return;
        }
        if (!docs || docs->printerCount() < 1) {
            mSession.prompt.message(QStringLiteral("No printer is installed: the receipt cannot be printed."),
                                    platform::Buttons::Ok, platform::Icon::Exclamation, QString());
            return;
        }
        posting::PrintReceiptOfferingRetry(*docs, mSession.store(), mSession.prompt, mSession.lastReceiptSale,
                                           mSession.lastReceiptEmployee, {true, false},
                                           QStringLiteral("The copy of the receipt of sale %1 was not printed.")
                                               .arg(mSession.lastReceiptSale));
    });
}

void frmPOS::mnuOpenCashDrawer_Click()
{
    diag::run("frmPOS", "mnuOpenCashDrawer_Click", [&] {
        if (!commandAllowed(security::GatedCommand::OpenCashDrawer))
            return;
        const QString problem = mSession.documents ? mSession.documents->openCashDrawer()
                                                   : QStringLiteral("This register has no receipt printer.");
        if (!problem.isEmpty())
            mSession.prompt.message(QStringLiteral("The cash drawer did not open.\n\n") + problem, platform::Buttons::Ok,
                                    platform::Icon::Exclamation, QString());
    });
}

} // namespace vanta
