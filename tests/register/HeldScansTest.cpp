// Scans that arrive while a box or dialog of the register is open wait for
// it to close and are then applied in order; none changes the sale behind an
// open question.
#include "register/RegisterFixture.h"
#include "support/LogonScript.h"

#include <QAction>
#include <QDialog>

using namespace vanta;
using platform::Answer;

namespace {
const QString kHammer = "073256120013"; // 1001, 14 in stock
const QString kWrench = "073256120037"; // 1003, out of stock
const QString kSeeds = "071023001503";  // 1019, out of stock
const QString kGloves = "VCSGLOVE01";   // 1018
const QString kStockQuestion = "The quantity of items that you are adding exceeds inventory amount.\n"
                               "Do you want to add the quantity anyway?";
} // namespace

class HeldScans : public test::RegisterTest {
protected:
    QList<qint32> saleItems()
    {
        QList<qint32> out;
        for (int i = 1; i <= lines().Count(); ++i)
            out << lines().Item(i)->ITEMINDEX();
        return out;
    }
    // A scan while a box is open: held, the sale as it was.
    void scanHeld(const QString &code)
    {
        const int before = lines().Count();
        const int held = pos->heldScans();
        scan(code);
        EXPECT_EQ(pos->heldScans(), held + 1) << qPrintable(code);
        EXPECT_EQ(lines().Count(), before);
    }
};

TEST_F(HeldScans, TheSameOutOfStockItemScannedDuringItsQuestionEndsWithTwoUnits)
{
    open();
    prompt.answer(Answer::Yes).during([&] { scanHeld(kWrench); });
    scan(kWrench);
    ASSERT_EQ(lines().Count(), 1);
    EXPECT_FLOAT_EQ(lines().Item(1)->qty(), 2.0f);
    EXPECT_TRUE(lines().Item(1)->ExceedQty());
    EXPECT_EQ(prompt.texts(), QStringList{kStockQuestion}); // asked once, no error report
    EXPECT_EQ(pos->heldScans(), 0);
    EXPECT_EQ(diag::Trace::instance().lastError().number, 0);
}

TEST_F(HeldScans, CodesHeldDuringAQuestionAreAppliedInOrderAndWaitAgainForTheNextQuestion)
{
    open();
    // Wrench asks; meanwhile seeds (which will ask too), hammer and gloves
    // are scanned. Seeds' question holds hammer and gloves again, and one
    // more hammer scanned then comes after them.
    prompt.answer(Answer::Yes).during([&] {
        scanHeld(kSeeds);
        scanHeld(kHammer);
        scanHeld(kGloves);
    });
    prompt.answer(Answer::No).during([&] {
        EXPECT_EQ(saleItems(), (QList<qint32>{1003})); // seeds' turn: nothing after it applied yet
        scanHeld(kHammer);
    });
    scan(kWrench);
    EXPECT_EQ(prompt.texts(), (QStringList{kStockQuestion, kStockQuestion}));
    EXPECT_EQ(saleItems(), (QList<qint32>{1003, 1001, 1018}));
    EXPECT_FLOAT_EQ(lines().Item(2)->qty(), 2.0f);
    EXPECT_EQ(rowNames().size(), 3);
    EXPECT_EQ(pos->heldScans(), 0);
}

TEST_F(HeldScans, DialogsAndQueuedMessagesHoldScansUntilTheyClose)
{
    open();
    // Manual Add's input box: the scan's keys are not typed into it; the
    // typed code is added when the box closes, the scanned one after it.
    prompt.answerInput("GIFTCARD25").during([&] { scanHeld(kHammer); });
    QMetaObject::invokeMethod(pos->findChild<QAction *>("mnuManualAdd"), "trigger");
    QTRY_COMPARE(saleItems(), (QList<qint32>{1021, 1001}));

    // The finder: a scan waits until the finder is closed.
    dialogs.then([&](QDialog &) {
        scanHeld(kGloves);
        return int(QDialog::Rejected);
    });
    QTest::mouseClick(button("cmdAdd"), Qt::LeftButton);
    QTRY_COMPARE(saleItems(), (QList<qint32>{1021, 1001, 1018}));

    // An unknown code queues its message; a code scanned before the message
    // has been shown and closed waits for it.
    scan("999");
    scanHeld(kGloves);
    QTRY_COMPARE(lines().Item(3)->qty(), 2.0f);
    EXPECT_EQ(prompt.last().text, "The scanned barcode was invalid.");
    EXPECT_EQ(pos->heldScans(), 0);
}

TEST_F(HeldScans, ACodeHeldWhileItsSaleEndsIsNotAddedToTheNextSale)
{
    open();
    scan(kHammer);
    const qint32 firstSale = session.sale.number();
    prompt.answer(Answer::Yes).during([&] { scanHeld(kGloves); });
    QTest::mouseClick(button("cmdCancel"), Qt::LeftButton);
    EXPECT_NE(session.sale.number(), firstSale);
    QTRY_COMPARE(prompt.count(), 2);
    EXPECT_EQ(prompt.last().text, "The scanned code VCSGLOVE01 was not added: the sale it was scanned for has "
                                  "ended.\nScan it again to add it to this sale.");
    EXPECT_EQ(lines().Count(), 0);

    // Shutting down: the held code goes with the window, which stays closed.
    scan(kHammer);
    prompt.answer(Answer::Yes).during([&] { scanHeld(kGloves); });
    QTest::mouseClick(button("Label2"), Qt::LeftButton);
    EXPECT_TRUE(pos->isClosed());
    QCoreApplication::processEvents();
    EXPECT_EQ(pos->heldScans(), 0);
    EXPECT_EQ(saleItems(), QList<qint32>{1001});
    EXPECT_FALSE(pos->isVisible());
}

TEST_F(HeldScans, NothingIsAddedWhileNobodyIsLoggedOn)
{
    const auto logOn = [this](const QString &number, const QString &password) {
        return [this, number, password](QDialog &dlg) {
            scan(kGloves); // scanned at the logon: refused with a beep
            EXPECT_EQ(pos->heldScans(), 0);
            return test::logOnWith(dlg, number, password);
        };
    };
    dialogs.then(logOn("2", "cashier"));
    open(true);
    ASSERT_TRUE(session.loggedOn());
    EXPECT_EQ(prompt.beeps(), 1);
    EXPECT_EQ(lines().Count(), 0);
    scan(kHammer);

    // Logged out, the logon cancelled: the held sale waits, minimised.
    dialogs.then([&](QDialog &) {
        scan(kGloves);
        return int(QDialog::Rejected);
    });
    pos->findChild<QAction *>("mnuLogout")->trigger();
    QTRY_VERIFY(pos->isMinimized());
    EXPECT_EQ(prompt.beeps(), 2);

    // A scan then brings the register up at the logon; the code itself is
    // not added, only what is scanned after the logon.
    dialogs.then(logOn("2", "cashier"));
    scan(kGloves);
    EXPECT_FALSE(pos->isMinimized());
    EXPECT_EQ(dialogs.runs(), 3);
    ASSERT_TRUE(session.loggedOn());
    EXPECT_EQ(saleItems(), QList<qint32>{1001});
    scan(kGloves);
    EXPECT_EQ(saleItems(), (QList<qint32>{1001, 1018}));
}
