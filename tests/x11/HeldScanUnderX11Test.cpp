// Scans typed by a real X11 keyboard while the register's own stock question
// (a Qt message box) is open, answered with real keys.
#include "register/POSItem.h"
#include "x11/RealRegister.h"

#include <QApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace vanta;
using test::xdotool;
using test::xdoScan;

namespace {
const QString kHammer = "073256120013"; // 1001, 14 in stock
const QString kWrench = "073256120037"; // 1003, out of stock
const QString kSeeds = "071023001503";  // 1019, out of stock
} // namespace

class HeldScanUnderX11 : public test::RealRegisterTest {
protected:
    // The stock question, once it is up and has the keyboard.
    static QMessageBox *openQuestion()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return nullptr;
        if (!box->isActiveWindow()) {
            xdotool({"windowfocus", "--sync", QString::number(box->winId())});
            return nullptr;
        }
        return box;
    }
};

TEST_F(HeldScanUnderX11, ScansTypedDuringTheStockQuestionWaitForItsAnswer)
{
    open();
    const sale::clsSaleItems &items = session.sale.lines();
    QStringList questions;
    // The cashier's side runs from inside the questions' own event loops.
    enum Step { WrenchAsked, AnsweredYes, SeedsAsked, AnsweredNo } step = WrenchAsked;
    QTimer cashier;
    cashier.setInterval(20);
    QObject::connect(&cashier, &QTimer::timeout, [&] {
        QMessageBox *box = openQuestion();
        switch (step) {
        case WrenchAsked: // the wrench again and the seeds, scanned while the question is up
            if (!box)
                return;
            questions << box->text();
            xdoScan(kWrench);
            xdoScan(kSeeds, "ctrl+shift+6");
            step = AnsweredYes;
            return;
        case AnsweredYes:
            if (pos->heldScans() < 2)
                return; // the keys are still on their way
            EXPECT_EQ(items.Count(), 0); // nothing changed behind the question
            xdotool({"key", "Return"}); // Yes, the default button
            step = SeedsAsked;
            return;
        case SeedsAsked: // the wrench is in twice; the seeds ask in turn
            if (!box || items.Count() != 1)
                return;
            questions << box->text();
            xdoScan(kHammer); // waits behind the seeds' question
            step = AnsweredNo;
            return;
        case AnsweredNo:
            if (pos->heldScans() < 1)
                return;
            xdotool({"key", "alt+n"}); // No
            cashier.stop();
            return;
        }
    });
    cashier.start();
    xdoScan(kWrench);
    QTRY_VERIFY_WITH_TIMEOUT(!cashier.isActive() && pos->heldScans() == 0 && items.Count() == 2, 30000);

    const QString asked = "The quantity of items that you are adding exceeds inventory amount.\n"
                          "Do you want to add the quantity anyway?";
    EXPECT_EQ(questions, (QStringList{asked, asked}));
    ASSERT_EQ(items.Count(), 2);
    EXPECT_EQ(items.Item(1)->ITEMINDEX(), 1003);
    EXPECT_FLOAT_EQ(items.Item(1)->qty(), 2.0f);
    EXPECT_EQ(items.Item(2)->ITEMINDEX(), 1001);
    EXPECT_FLOAT_EQ(items.Item(2)->qty(), 1.0f);
    EXPECT_EQ(pos->row(0)->ItemName(), items.Item(1)->Name());
    EXPECT_EQ(diag::Trace::instance().lastError().number, 0);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}
