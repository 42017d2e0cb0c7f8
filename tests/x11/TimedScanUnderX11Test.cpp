// A scanner on its factory settings (the code, then Enter, at 5 ms a key)
// and a person (80 ms a key) typing into each box of the register, through
// the X server's keyboard (xdotool).
#include "register/RegisterFixture.h"

#include "x11/XdoTool.h"

using namespace vanta;
using test::xdotool;

namespace {

class TimedScanUnderX11 : public test::RegisterTest {
protected:
    void SetUp() override
    {
        test::typeAtMachineSpeed(settings, true); // xdotool types at the speeds given
        open();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(pos.get()));
        ASSERT_EQ(xdotool({"windowfocus", "--sync", QString::number(pos->winId())}), 0);
        QTRY_VERIFY(pos->isActiveWindow());
    }
    // Types the text and, for a scan, Enter, at `delayMs` a key.
    static void typeAt(const QString &text, int delayMs, bool enter)
    {
        const QString delay = QString::number(delayMs);
        ASSERT_EQ(xdotool({"type", "--delay", delay, text}), 0);
        if (enter) {
            ASSERT_EQ(xdotool({"key", "--delay", delay, "Return"}), 0);
        }
    }
    QLineEdit *focusBox(QLineEdit *box)
    {
        box->setFocus(Qt::MouseFocusReason);
        [&] { QTRY_VERIFY(box->hasFocus()); }();
        box->end(false);
        return box;
    }
    QLineEdit *rowBox(const char *name) const { return pos->row(0)->findChild<QLineEdit *>(name); }
};

} // namespace

// In the tender box, the sale row's quantity box and its price box alike: a
// scan adds its item and leaves nothing in the box; a person's typing lands
// in the box as it always did.
TEST_F(TimedScanUnderX11, ScansAddItemsAndTypingReachesEachBox)
{
    typeAt("073256120013", 5, true); // a line to focus
    QTRY_COMPARE(lines().Count(), 1);
    QLineEdit *tender = child<QLineEdit>("txtAmountTendered");
    for (QLineEdit *box : {tender, rowBox("txtQty"), rowBox("txtPrice")}) {
        ASSERT_NE(box, nullptr);
        SCOPED_TRACE(box->objectName().toStdString());
        focusBox(box);
        const QString before = box->text();
        const float qty = lines().Item(1)->qty();
        typeAt("073256120013", 5, true);
        QTRY_COMPARE(lines().Item(1)->qty(), qty + 1);
        EXPECT_EQ(box->text(), before) << "nothing of the scan in the box";
        EXPECT_TRUE(box->hasFocus());

        focusBox(box);
        const QString typed = box->text() + "12";
        typeAt("12", 80, false);
        QTRY_COMPARE(box->text(), typed);
        EXPECT_EQ(lines().Count(), 1);
        box->setText(before);
    }
    EXPECT_EQ(prompt.count(), 0) << prompt.texts().join(" / ").toStdString();
}

// A person's code typed slowly and ended with Enter is no scan: the tender
// box gets every character and the Enter, as before.
TEST_F(TimedScanUnderX11, ACodeTypedSlowlyIsTyping)
{
    QLineEdit *tender = focusBox(child<QLineEdit>("txtAmountTendered"));
    tender->clear();
    typeAt("1234", 80, false);
    QTRY_COMPARE(tender->text(), QString("1234"));
    EXPECT_EQ(lines().Count(), 0);
    EXPECT_EQ(prompt.count(), 0);
}
