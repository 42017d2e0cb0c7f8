#include "register/frmEditPrice.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <limits>

using namespace vanta;

TEST(frmEditPrice, AcceptsANumberAPriceCanHold)
{
    frmEditPrice dlg;
    dlg.msCurrentPrice = 2.5f;
    dlg.show();
    dlg.activateWindow();
    QApplication::processEvents();
    auto *price = dlg.findChild<QLineEdit *>("txtPrice");
    EXPECT_EQ(dlg.windowTitle(), "Edit Price");
    EXPECT_EQ(dlg.findChild<QLabel *>("lblCurrentPrice")->text(), "$2.50");
    EXPECT_EQ(QApplication::focusWidget(), price);
    EXPECT_EQ(price->selectedText(), "0.00");

    // Not a number, or more than a single holds: the dialog stays open with
    // the focus in the price.
    for (const QString &bad : {QStringLiteral("abc"), QString::number(double(std::numeric_limits<float>::max()) * 2)}) {
        price->setText(bad);
        QTest::mouseClick(dlg.findChild<QPushButton *>("cmdOK"), Qt::LeftButton);
        EXPECT_TRUE(dlg.isVisible()) << bad.toStdString();
        EXPECT_EQ(QApplication::focusWidget(), price);
        EXPECT_FALSE(dlg.newPrice());
    }

    price->setText("$1,234.50");
    QTest::keyClick(price, Qt::Key_Return); // OK is the default button
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.newPrice(), 1234.5);
}

TEST(frmEditPrice, CancelGivesNoPrice)
{
    frmEditPrice dlg;
    dlg.show();
    auto *price = dlg.findChild<QLineEdit *>("txtPrice");
    QTest::keyClicks(price, "5");
    QTest::keyClick(price, Qt::Key_Escape);
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_FALSE(dlg.newPrice());
}
