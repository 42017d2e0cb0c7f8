// Real keystrokes from an X11 keyboard (xdotool, as a keyboard-wedge scanner
// types them) against the register window on an X server.
#include "register/RegisterFixture.h"

#include "x11/XdoTool.h"

using namespace vanta;
using test::xdotool;

class ScanUnderX11 : public test::RegisterTest {
protected:
    void focusWindow()
    {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(pos.get()));
        ASSERT_EQ(xdotool({"windowfocus", "--sync", QString::number(pos->winId())}), 0);
        QTRY_VERIFY(pos->isActiveWindow());
    }
    void scan(const QString &code, const char *end = "ctrl+backslash") { test::xdoScan(code, end); }
};

TEST_F(ScanUnderX11, ScannerKeysAddItemsAndNeverReachTheFocusedBox)
{
    open();
    focusWindow();
    QLineEdit *tender = child<QLineEdit>("txtAmountTendered");
    tender->setFocus();
    tender->clear();
    QTRY_VERIFY(tender->hasFocus());

    scan("073256120013");
    QTRY_COMPARE(lines().Count(), 1);
    scan("073256120013", "ctrl+shift+6");
    QTRY_COMPARE(lines().Item(1)->qty(), 2.0f);
    scan("VCSGLOVE01"); // capital letters arrive with Shift held
    QTRY_COMPARE(lines().Count(), 2);
    EXPECT_EQ(lines().Item(2)->ITEMINDEX(), 1018);
    EXPECT_FALSE(pos->scanning());

    // Typing outside a scan still reaches the focused box.
    tender->setFocus();
    QTRY_VERIFY(tender->hasFocus());
    tender->clear();
    ASSERT_EQ(xdotool({"type", "--delay", "5", "20"}), 0);
    QTRY_COMPARE(tender->text(), QString("20"));
    EXPECT_EQ(rowNames(), (QStringList{"Claw Hammer 16 oz", "Leather Work Gloves"}));
    EXPECT_EQ(prompt.count(), 0);
}
