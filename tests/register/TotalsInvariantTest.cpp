#include "register/RegisterFixture.h"

#include "platform/Currency.h"

#include <QCheckBox>

using namespace vanta;
using platform::Answer;

namespace {

// After every change of the sale, the total due is the lines plus shipping
// plus tax in whole cents, and each amount label shows exactly its number.
class TotalsInvariant : public test::RegisterTest {
protected:
    void expectConsistent(const char *step)
    {
        SCOPED_TRACE(step);
        const sale::SaleTotals &t = pos->totals();
        double lines = 0;
        for (const auto &l : session.sale.lines())
            lines += l->Subtotal().dollars();
        EXPECT_EQ(t.subtotal, toCents(lines));
        EXPECT_EQ(t.tax, session.sale.tax().cents);
        qint64 recorded = 0;
        for (const tax::AgencyTax &a : session.sale.tax().agencies)
            recorded += a.cents;
        EXPECT_EQ(recorded, t.tax) << "the agencies are recorded what the customer is charged";
        EXPECT_EQ(t.totalDue(), t.subtotal + t.shipping + t.tax);
        EXPECT_EQ(QStringList({label("lblSubtotal"), label("lblShipping"), label("lblTax"), label("lblTotal")}),
                  QStringList({formatCurrencyCents(t.subtotal), formatCurrencyCents(t.shipping),
                               formatCurrencyCents(t.tax), formatCurrencyCents(t.totalDue())}));
    }
    QLineEdit *part(int row, const char *name) { return pos->row(row)->findChild<QLineEdit *>(name); }
    void retype(QLineEdit *box, const QString &text)
    {
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
        QApplication::processEvents();
    }
};

} // namespace

TEST_F(TotalsInvariant, HoldsThroughEveryEditOfTheSale)
{
    ts.db().execute("UPDATE Company SET \"tax option\" = 3"); // tax by rules: rounded per line and type
    open();
    expectConsistent("empty sale");
    pos->Add_Item(sale::Good::item(storegen::demo::PlainItem));
    expectConsistent("one hammer");
    pos->Add_Item(sale::Good::item(storegen::demo::BulkItem));
    pos->Add_Item(sale::Good::item(storegen::demo::NonTaxableItem));
    pos->Add_Item(sale::Good::variant(storegen::demo::FirstVariant));
    expectConsistent("four lines");
    pos->Add_Item(sale::Good::item(storegen::demo::PlainItem));
    expectConsistent("a line raised by one");

    retype(part(1, "txtQty"), "17"); // bulk level 10-49
    expectConsistent("quantity typed into a row");
    retype(part(0, "txtDisc"), "12.5");
    expectConsistent("discount typed into a row");
    QTest::mouseClick(pos->row(0)->findChild<QCheckBox *>("chk1"), Qt::LeftButton);
    expectConsistent("line marked tax exempt");

    QComboBox *customers = child<QComboBox>("cmbCustomers");
    customers->setCurrentIndex(customers->findText("Greenfield", Qt::MatchContains));
    expectConsistent("another customer");

    part(2, "txtQty")->setFocus();
    QApplication::processEvents();
    prompt.answer(Answer::Yes);
    QTest::mouseClick(button("cmdRemove"), Qt::LeftButton);
    expectConsistent("a line removed");

    prompt.answer(Answer::Yes);
    QTest::mouseClick(button("cmdCancel"), Qt::LeftButton);
    expectConsistent("sale cancelled");
    EXPECT_EQ(pos->totals().totalDue(), 0);
}
