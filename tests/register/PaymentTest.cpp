#include "register/RegisterFixture.h"

using namespace vanta;

class Payment : public test::RegisterTest {
protected:
    // A sale of one Claw Hammer at 12.99 with tax by the fixed rate of 7.25 %:
    // subtotal $12.99, tax $0.94, total $13.93.
    void openWithHammer()
    {
        ts.db().execute("UPDATE Company SET \"tax option\" = 2, \"sales tax\" = 7.25");
        open();
        pos->Add_Item(sale::Good::item(1001));
        ASSERT_EQ(label("lblTotal"), "$13.93");
    }
    QLineEdit *tender() { return child<QLineEdit>("txtAmountTendered"); }
};

TEST_F(Payment, TenderAndChangeDue)
{
    openWithHammer();
    choosePayType("Cash");
    EXPECT_EQ(tender()->text(), "0.00"); // cash keeps the typed tender
    tender()->setFocus();
    tender()->selectAll();
    QTest::keyClicks(tender(), "20");
    EXPECT_EQ(label("lblChangeDue"), "$6.07");
    child<QComboBox>("cmbCustomers")->setFocus(); // leaving rewrites the text
    QApplication::processEvents();
    EXPECT_EQ(tender()->text(), "20.00");
    EXPECT_EQ(label("lblChangeDue"), "$6.07");

    tender()->setText("1,250.00"); // amounts written with separators read whole
    EXPECT_EQ(label("lblChangeDue"), "$1,236.07");
}

TEST_F(Payment, TheFieldShowsTheTenderTheCommandsSet)
{
    openWithHammer();
    choosePayType("Credit Card");
    EXPECT_EQ(tender()->text(), "13.93");
    QTest::mouseDClick(tender(), Qt::LeftButton);
    EXPECT_EQ(tender()->text(), "13.93");
    choosePayType("INVOICE");
    EXPECT_EQ(tender()->text(), "0.00");
    tender()->setText("5"); // an invoice takes no tender
    EXPECT_EQ(tender()->text(), "0.00");
}
