#include "platform/SettingsStore.h"
#include "register/POSItem.h"
#include "register/UpDown.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace vanta;

namespace {

// A shown window with one sale row and a box outside it to move the focus to.
class POSItemTest : public ::testing::Test {
protected:
    POSItemTest() : settings(dir.path()), row(new POSItem(settings)), outside(new QLineEdit)
    {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(row);
        layout->addWidget(outside);
        row->setRowsLoadingFlag(&rowsLoading);
        window.resize(800, 120);
        window.show();
        window.activateWindow();
        focusOutside();
    }

    template <typename T = QLineEdit>
    T *part(const char *name) { return row->findChild<T *>(QLatin1String(name)); }

    void fill(const QString &name, double quantity, double price)
    {
        row->setItemName(name);
        row->setQty(quantity);
        row->setPrice(price);
    }

    // Replaces the quantity text as a cashier would: focus, select all, type.
    void typeQty(const QString &text)
    {
        part("txtQty")->setFocus(Qt::TabFocusReason);
        part("txtQty")->selectAll();
        QTest::keyClicks(part("txtQty"), text);
    }

    void focusOutside()
    {
        outside->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
    }

    QTemporaryDir dir;
    platform::SettingsStore settings;
    QWidget window;
    POSItem *row;
    QLineEdit *outside;
    bool rowsLoading = false;
};

} // namespace

TEST_F(POSItemTest, SubtotalIsPriceTimesQuantityWhateverTheDiscount)
{
    fill("Widget", 3, 2.5);
    row->setDisc(10);
    EXPECT_EQ(part("txtPrice")->text(), "$2.50");
    EXPECT_EQ(part("txtSubtotal")->text(), "$7.50");
    row->setDisc(50);
    EXPECT_EQ(part("txtSubtotal")->text(), "$7.50");
    EXPECT_DOUBLE_EQ(row->Subtotal(), 7.5);
    EXPECT_DOUBLE_EQ(row->Disc(), 50);

    row->setPrice(0.333); // the price as shown, $0.33, counts
    EXPECT_EQ(part("txtSubtotal")->text(), "$0.99");
    row->setPrice(1234.5);
    EXPECT_EQ(part("txtSubtotal")->text(), "$3,703.50");

    QSignalSpy qtyChanged(row, &POSItem::quantityEdited);
    QSignalSpy changed(row, &POSItem::edited);
    typeQty("4");
    EXPECT_EQ(part("txtQty")->text(), "4");
    EXPECT_EQ(part("txtSubtotal")->text(), "$4,938.00");
    ASSERT_EQ(qtyChanged.count(), 1);
    EXPECT_EQ(qtyChanged.last().at(0).toDouble(), 4.0);
    EXPECT_EQ(changed.count(), 1); // the subtotal text changed
    EXPECT_EQ(changed.last().at(0).toDouble(), 4.0) << "the edit reports the quantity";

    // While the register refills its rows a typed quantity leaves the
    // subtotal alone but is still reported.
    rowsLoading = true;
    typeQty("2");
    EXPECT_EQ(part("txtSubtotal")->text(), "$4,938.00");
    EXPECT_EQ(qtyChanged.count(), 2);
}

TEST_F(POSItemTest, QuantityTextRules)
{
    fill("Widget", 2, 1);
    QSignalSpy qtyChanged(row, &POSItem::quantityEdited);
    for (const char *typed : {"x", "-3", "1x"}) {
        typeQty(typed);
        EXPECT_EQ(part("txtQty")->text(), "0") << typed;
    }
    typeQty("7");
    QTest::keyClick(part("txtQty"), Qt::Key_Backspace);
    EXPECT_EQ(part("txtQty")->text(), "0");
    typeQty("-"); // the start of a number, until the cashier leaves the field
    EXPECT_EQ(part("txtQty")->text(), "-");
    focusOutside();
    EXPECT_EQ(part("txtQty")->text(), "0");
    typeQty("40000");
    EXPECT_EQ(part("txtQty")->text(), QString::number(POSItem::QtyLimit));
    part("txtQty")->selectAll();
    part("txtQty")->insert("1,000"); // pasted; shown as the number the row works with
    EXPECT_EQ(part("txtQty")->text(), "1000");
    EXPECT_EQ(part("txtSubtotal")->text(), "$1,000.00");

    // The spinner follows the quantity and sets it when clicked.
    typeQty("5");
    auto *spinner = part<UpDown>("UDQty");
    EXPECT_EQ(spinner->value(), 5);
    QTest::mouseClick(spinner->findChild<QToolButton *>("up"), Qt::LeftButton);
    EXPECT_EQ(part("txtQty")->text(), "6");
    EXPECT_EQ(part("txtSubtotal")->text(), "$6.00");
    QTest::mouseClick(spinner->findChild<QToolButton *>("down"), Qt::LeftButton);
    QTest::mouseClick(spinner->findChild<QToolButton *>("down"), Qt::LeftButton);
    EXPECT_EQ(row->qty(), 4);
    EXPECT_EQ(QApplication::focusWidget(), part("txtQty")); // the spinner takes no focus

    // An empty row always shows quantity 0 and reports no quantity change.
    row->setItemName(POSItem::EmptyName);
    const int reported = qtyChanged.count();
    typeQty("7");
    row->setQty(3);
    QTest::mouseClick(spinner->findChild<QToolButton *>("up"), Qt::LeftButton);
    EXPECT_EQ(part("txtQty")->text(), "0");
    EXPECT_EQ(qtyChanged.count(), reported);
}

TEST_F(POSItemTest, DiscountAndTaxExempt)
{
    QSignalSpy changed(row, &POSItem::edited);
    QTest::mouseClick(part<QCheckBox>("chk1"), Qt::LeftButton);
    EXPECT_FALSE(row->TaxExempt()); // empty row: reset, nothing reported
    EXPECT_EQ(changed.count(), 0);

    fill("Widget", 1, 4);
    row->setDisc(150);
    EXPECT_EQ(part("txtDisc")->text(), "100");
    QTest::keyClicks(part("txtDisc"), "5"); // "1005"
    EXPECT_EQ(part("txtDisc")->text(), "100");

    changed.clear();
    QTest::mouseClick(part<QCheckBox>("chk1"), Qt::LeftButton);
    EXPECT_TRUE(row->TaxExempt());
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.last().at(1).toDouble(), 100.0) << "the discount shown";
    EXPECT_TRUE(changed.last().at(2).toBool()) << "the mark";

    // A discount written outside a refill counts as an edit of the row and
    // is reported when the row loses the focus; during a refill it is not.
    part("txtQty")->setFocus();
    changed.clear();
    focusOutside();
    EXPECT_EQ(changed.count(), 1);
    rowsLoading = true;
    row->setDisc(20);
    part("txtQty")->setFocus();
    focusOutside();
    EXPECT_EQ(changed.count(), 1);
}

TEST_F(POSItemTest, FocusStaysOnTheQuantity)
{
    QSignalSpy hasFocus(row, &POSItem::HasFocus);
    QSignalSpy gotFocus(row, &POSItem::GotFocus);
    QSignalSpy changed(row, &POSItem::edited);
    part("txtQty")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(hasFocus.count(), 1); // even on an empty row
    EXPECT_EQ(gotFocus.count(), 1);

    fill("Widget", 12, 1);
    focusOutside();
    changed.clear();
    for (const char *name : {"txtName", "txtPrice", "txtDisc", "txtSubtotal"}) {
        QTest::mouseClick(part(name), Qt::LeftButton);
        QApplication::processEvents();
        EXPECT_EQ(QApplication::focusWidget(), part("txtQty")) << name;
        EXPECT_EQ(window.focusWidget(), part("txtQty")) << name;
        EXPECT_FALSE(part(name)->hasFocus()) << name;
        EXPECT_EQ(part("txtQty")->selectedText(), "12") << name;
    }
    EXPECT_EQ(gotFocus.count(), 2); // entered once more, moves inside the row are not entries
    EXPECT_EQ(changed.count(), 0);  // no edit, nothing to report

    focusOutside();
    QTest::mouseClick(part("txtQty"), Qt::LeftButton); // a click into the field selects all too
    QApplication::processEvents();
    EXPECT_EQ(part("txtQty")->selectedText(), "12");

    QSignalSpy changePrice(row, &POSItem::ChangePrice);
    QTest::mouseDClick(part("txtPrice"), Qt::LeftButton);
    EXPECT_EQ(changePrice.count(), 1);

    QTest::keyClicks(part("txtQty"), "3");
    changed.clear();
    focusOutside();
    EXPECT_EQ(changed.count(), 1); // the edit is complete
    EXPECT_EQ(row->Subtotal(), 3);

    // The register can send the focus elsewhere while the row reports it.
    QObject::connect(row, &POSItem::HasFocus, outside, [this] { outside->setFocus(); });
    QTest::mouseClick(part("txtPrice"), Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), outside);
}

TEST_F(POSItemTest, ColoursAndLayout)
{
    row->setSelBack(Qt::red);
    EXPECT_NE(row->SelBack(), QColor(Qt::red)); // an empty row keeps its colours
    fill("Widget", 1, 1);
    row->setSelBack(QColor(0xE0, 0xE0, 0xE0));
    for (const char *name : {"txtName", "txtQty", "txtPrice", "txtUOM", "txtDisc", "txtSubtotal"})
        EXPECT_EQ(part(name)->palette().color(QPalette::Base), QColor(0xE0, 0xE0, 0xE0)) << name;

    settings.save("POS", "Settings", "Selected Color", "255");
    POSItem other(settings);
    EXPECT_EQ(other.SelectedColor(), QColor(255, 0, 0));
    EXPECT_EQ(other.NonSelectedColor(), QColor(0, 0, 0));
    other.setNonSelectedColor(QColor(0xE0, 0xE0, 0xE0));
    other.WriteProperties();
    EXPECT_EQ(settings.read("POS", "Settings", "Non-Selected Color"), QString::number(0xE0E0E0));

    other.setTotalWidth(1000);
    other.setTotalHeight(30);
    EXPECT_EQ(QSize(other.TotalWidth(), other.TotalHeight()), QSize(1000, 30));
    // The spinner sits inside the quantity box, the check box ends the row.
    auto *qty = other.findChild<QLineEdit *>("txtQty");
    EXPECT_LE(other.findChild<UpDown *>("UDQty")->geometry().right(), qty->geometry().right());
    auto *box = other.findChild<QCheckBox *>("chk1");
    EXPECT_EQ(box->x() + box->width(), 1000);
    // Name, price, qty, unit, discount, subtotal; on screen the quantity
    // comes before the price.
    const auto left = other.GetLeftValues();
    EXPECT_EQ(left[0], 0);
    for (const auto &[before, after] : {std::pair{0, 2}, {2, 1}, {1, 3}, {3, 4}, {4, 5}})
        EXPECT_LT(left[before], left[after]) << before << " before " << after;
}

