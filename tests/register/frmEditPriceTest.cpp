#include "diagnostics/Trace.h"
#include "platform/PromptNotices.h"
#include "register/frmEditPrice.h"
#include "sale/clsSaleItems.h"
#include "support/ScriptedPrompt.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace vanta;

namespace {

sale::clsSaleItems::Line line(qint32 item, qint32 option1, float qty, float price, float discount)
{
    auto l = std::make_shared<sale::clsSaleItem>();
    l->setITEMINDEX(item);
    l->setOptionID1(option1);
    l->setQty(qty);
    l->setPrice(price);
    l->setDiscount(discount);
    l->setSubtotal(qty * price * (1 - discount / 100));
    return l;
}

} // namespace

TEST(frmEditPrice, SetsPriceAndUndiscountedSubtotal)
{
    sale::clsSaleItems sale;
    sale.AddSaleItem(line(1, 20, 1, 9, 0));
    sale.AddSaleItem(line(5, 0, 3, 2.5f, 10));

    frmEditPrice dlg(sale);
    dlg.mlItemIndex = 5;
    dlg.msCurrentPrice = 2.5f;
    dlg.show();
    dlg.activateWindow();
    QApplication::processEvents();
    auto *price = dlg.findChild<QLineEdit *>("txtPrice");
    EXPECT_EQ(dlg.windowTitle(), "Edit Price");
    EXPECT_EQ(dlg.findChild<QLabel *>("lblCurrentPrice")->text(), "$2.50");
    EXPECT_EQ(QApplication::focusWidget(), price);
    EXPECT_EQ(price->selectedText(), "0.00");

    // Not a number: the dialog stays open with the focus in the price.
    QTest::keyClicks(price, "abc");
    QTest::mouseClick(dlg.findChild<QPushButton *>("cmdOK"), Qt::LeftButton);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(QApplication::focusWidget(), price);
    EXPECT_FLOAT_EQ(sale.Item(2)->Price(), 2.5f);
    EXPECT_FLOAT_EQ(sale.Item(2)->Subtotal(), 6.75f);

    price->selectAll();
    QTest::keyClicks(price, "2.00");
    QTest::keyClick(price, Qt::Key_Return); // OK is the default button
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_FLOAT_EQ(sale.Item(2)->Price(), 2.0f);
    EXPECT_FLOAT_EQ(sale.Item(2)->Subtotal(), 6.0f); // 3 × 2.00, the discount is not applied
    EXPECT_FLOAT_EQ(sale.Item(1)->Price(), 9.0f);
}

TEST(frmEditPrice, CancelAndExactLineMatch)
{
    sale::clsSaleItems sale;
    sale.AddSaleItem(line(1, 20, 2, 9, 0)); // key Key12000
    {
        frmEditPrice dlg(sale);
        dlg.mlItemIndex = 1;
        dlg.mlOptionID1 = 20;
        dlg.show();
        auto *price = dlg.findChild<QLineEdit *>("txtPrice");
        QTest::keyClicks(price, "5");
        QTest::keyClick(price, Qt::Key_Escape);
        EXPECT_EQ(dlg.result(), QDialog::Rejected);
        EXPECT_FLOAT_EQ(sale.Item(1)->Price(), 9.0f);
    }
    // Item 12 without options joins to the same key but is not on the sale:
    // nothing is changed and the dialog does not report success.
    frmEditPrice dlg(sale);
    dlg.mlItemIndex = 12;
    dlg.show();
    auto *price = dlg.findChild<QLineEdit *>("txtPrice");
    price->setText("$1,234.50");
    test::ScriptedPrompt prompt;
    platform::PromptNotices notices(prompt);
    diag::Trace::instance().reset();
    diag::Trace::instance().setNotices(&notices);
    diag::Trace::instance().setTrappingEnabled(true);
    dlg.findChild<QPushButton *>("cmdOK")->click();
    diag::Trace::instance().reset();
    EXPECT_EQ(prompt.count(), 1); // the failure is reported
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_FLOAT_EQ(sale.Item(1)->Price(), 9.0f);

    dlg.mlItemIndex = 1;
    dlg.mlOptionID1 = 20;
    dlg.findChild<QPushButton *>("cmdOK")->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_FLOAT_EQ(sale.Item(1)->Price(), 1234.5f);
    EXPECT_FLOAT_EQ(sale.Item(1)->Subtotal(), 2469.0f);
}
