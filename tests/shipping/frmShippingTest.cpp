#include "lookup/FinderScripts.h"
#include "platform/Currency.h"
#include "register/RegisterFixture.h"
#include "shipping/frmShipping.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QRadioButton>

using namespace vanta;
using namespace vanta::test;

namespace {

shipping::ShippingOffer rangeOffer()
{
    shipping::ShippingOffer offer;
    offer.title = QStringLiteral("Shipping By Weight");
    offer.charges = {sale::Money::fromCents(495), sale::Money::fromCents(995), sale::Money::fromCents(1995)};
    return offer;
}

// Clicks a choice on its round button.
void choose(QRadioButton *b) { QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2)); }

template <typename T>
T *in(QDialog &dlg, const char *name)
{
    T *w = dlg.findChild<T *>(QLatin1String(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

class ShippingDialogTest : public ::testing::Test {
protected:
    ShippingDialogTest() { storegen::fillDemoStore(ts.db()); }
    TempStore ts;
};

} // namespace

TEST_F(ShippingDialogTest, RangeModeTakesTheLevelAndTheMethod)
{
    shipping::frmShipping dlg(*ts.store, rangeOffer());
    dlg.show();
    EXPECT_EQ(dlg.windowTitle(), "Shipping By Weight");
    EXPECT_EQ(in<QRadioButton>(dlg, "optship1")->text(), "$9.95");
    EXPECT_EQ(in<QRadioButton>(dlg, "optship3")->text(), "$0.00");
    EXPECT_FALSE(in<QGroupBox>(dlg, "fraFixed")->isVisible());
    EXPECT_FALSE(in<QGroupBox>(dlg, "fraCustom")->isVisible());
    auto *methods = in<QComboBox>(dlg, "cboShipping");
    ASSERT_GT(methods->count(), 1);
    EXPECT_EQ(methods->currentIndex(), 0);

    // No level chosen: only the method is taken.
    QTest::mouseClick(in<QPushButton>(dlg, "cmdOK"), Qt::LeftButton);
    EXPECT_TRUE(dlg.choice().methodText);
    EXPECT_FALSE(dlg.choice().description);

    methods->setCurrentIndex(1);
    choose(in<QRadioButton>(dlg, "optship1"));
    QTest::mouseClick(in<QPushButton>(dlg, "cmdOK"), Qt::LeftButton);
    EXPECT_EQ(*dlg.choice().methodText, methods->itemText(1));
    EXPECT_EQ(dlg.choice().methodId, methods->itemData(1).toInt());
    EXPECT_EQ(*dlg.choice().description, "Two Day");
    EXPECT_EQ(dlg.choice().chargeCents, 995);
}

TEST_F(ShippingDialogTest, CustomChargeMustBeANumber)
{
    shipping::frmShipping dlg(*ts.store, rangeOffer());
    dlg.show();
    QTest::mouseClick(in<QCheckBox>(dlg, "chkCustomShipping"), Qt::LeftButton);
    auto *custom = in<QLineEdit>(dlg, "txtCustom");
    EXPECT_TRUE(custom->isVisible());
    for (const char *refused : {"abc", "-3"}) {
        custom->setText(refused);
        QTest::mouseClick(in<QPushButton>(dlg, "cmdOK"), Qt::LeftButton);
        EXPECT_TRUE(dlg.isVisible() && !dlg.choice().description) << refused;
    }

    custom->setText("12.5");
    QTest::mouseClick(in<QPushButton>(dlg, "cmdOK"), Qt::LeftButton);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(*dlg.choice().description, "Custom Shipping Charge");
    EXPECT_EQ(dlg.choice().chargeCents, 1250);
}

TEST_F(ShippingDialogTest, FixedModeOkChargesAndCancelClears)
{
    const auto fixed = shipping::FixedShipping(*ts.store);
    {
        shipping::frmShipping dlg(*ts.store, fixed);
        dlg.show();
        EXPECT_EQ(in<QLabel>(dlg, "lblFixed")->text(), "Fixed Shipping Rate = $5.95");
        EXPECT_TRUE(in<QGroupBox>(dlg, "fraFixed")->isVisible());
        QTest::mouseClick(in<QPushButton>(dlg, "cmdOK"), Qt::LeftButton);
        EXPECT_EQ(*dlg.choice().description, "Fixed Rate");
        EXPECT_EQ(dlg.choice().chargeCents, 595);
    }
    shipping::frmShipping dlg(*ts.store, fixed);
    dlg.show();
    QTest::mouseClick(in<QPushButton>(dlg, "cmdCancel"), Qt::LeftButton);
    EXPECT_TRUE(dlg.choice().cleared);
}

// The register's "Add Shipping": by weight on the demo store, with the
// shipping tax and the total; the charge reaches the stored sale.
TEST_F(RegisterTest, AddShippingChargesTheSaleAndItsTax)
{
    open();
    dialogs.then([&](QDialog &dlg) { // the finder: the Claw Hammer, 1.5 lb
        waitForItems(dlg);
        auto *list = dlg.findChild<QTreeView *>("lvAll");
        tick(list, findRow(list, "Claw Hammer"));
        press(dlg, "cmdAddGroup");
        return int(QDialog::Accepted);
    });
    QTest::mouseClick(button("cmdAdd"), Qt::LeftButton);
    ASSERT_EQ(lines().Count(), 1);
    const qint64 before = pos->totals().tax;
    QString method;
    dialogs.then([&](QDialog &dlg) {
        EXPECT_EQ(dlg.windowTitle(), "Shipping By Weight");
        auto *level = dlg.findChild<QRadioButton *>("optship0");
        EXPECT_EQ(level->text(), "$7.95"); // 1.5 lb: the 1.1-5 lb range
        choose(level);
        method = dlg.findChild<QComboBox *>("cboShipping")->currentText();
        QTest::mouseClick(dlg.findChild<QPushButton *>("cmdOK"), Qt::LeftButton);
        return dlg.result();
    });
    QTest::mouseClick(button("cmdShipping"), Qt::LeftButton);
    EXPECT_EQ(dialogs.titles().last(), "Shipping By Weight");
    EXPECT_EQ(label("lblShipping"), "$7.95");
    EXPECT_EQ(label("lblshippingDesc"), "Regular");
    EXPECT_EQ(label("lblMethod"), method);
    EXPECT_EQ(pos->totals().shipping, 795);
    EXPECT_GT(pos->totals().tax, before); // the demo store taxes shipping
    EXPECT_EQ(label("lblTotal"), formatCurrencyCents(pos->totals().totalDue()));
    EXPECT_EQ(child<QLineEdit>("txtAmountTendered")->text(), "0.00");
}
