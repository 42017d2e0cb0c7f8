#include "backup/BackupFixture.h"
#include "db/Store.h"
#include "platform_ui/KeyboardHook.h"
#include "register/RegisterFixture.h"
#include "support/SaleFixtures.h"

#include <QAbstractButton>
#include <QAction>
#include <QElapsedTimer>
#include <QFile>
#include <QFontDatabase>
#include <QMenuBar>
#include <QMultiMap>
#include <QScrollBar>

using namespace vanta;
using platform::Answer;
using platform::Icon;

namespace {
const QString kHammer = "073256120013";     // 1001 Claw Hammer, 12.99, 14 in stock
const QString kGloves = "VCSGLOVE01";       // 1018, letters in the code
const QString kTitle = "Vanta! POS";
} // namespace

class Register : public test::RegisterTest {
protected:
    // Remove needs a selected row; the question is answered Yes.
    void removeFirstRow()
    {
        selectRow(0);
        ASSERT_EQ(pos->selectedRow(), 0);
        prompt.answer(Answer::Yes);
        QTest::mouseClick(button("cmdRemove"), Qt::LeftButton);
    }
};

TEST_F(Register, StartsOnAnEmptyCashSale)
{
    open();
    EXPECT_EQ(pos->windowTitle(), "Vanta! POS ");
    EXPECT_EQ(session.identity.employeeNumber, 1); // security off: nobody needs to log on
    EXPECT_EQ(child<QComboBox>("cmbCustomers")->currentText(), "CASH SALE - (217) 555-0142");
    QComboBox *payTypes = child<QComboBox>("cmbPayType");
    QStringList names;
    for (int i = 0; i < payTypes->count(); ++i)
        names << payTypes->itemText(i);
    EXPECT_EQ(names, (QStringList{"Cash", "Check", "Credit Card", "INVOICE"}));
    EXPECT_EQ(payTypes->currentIndex(), -1);
    EXPECT_EQ(rowNames(), QStringList{"None"});
    EXPECT_TRUE(button("cmdAdd")->isEnabled());
    for (const char *b : {"cmdRemove", "cmdHold", "cmdProcessTransaction"})
        EXPECT_FALSE(button(b)->isEnabled()) << b;
    for (const char *l : {"lblSubtotal", "lblShipping", "lblTax", "lblTotal"})
        EXPECT_EQ(label(l), "$0.00") << l;
    EXPECT_NE(session.sale.number(), 0);
    EXPECT_EQ(prompt.count(), 0);
}

TEST_F(Register, ScansAddPricedAndTaxedLinesWithoutLeakingKeys)
{
    ts.db().execute("UPDATE Company SET \"tax option\" = 2, \"sales tax\" = 7.25");
    open();
    QLineEdit *tender = child<QLineEdit>("txtAmountTendered");
    tender->setFocus();
    tender->setText("");

    scan(kHammer);
    scan(kHammer, true); // Ctrl+Shift+6 ends a code too
    scan(kGloves);
    EXPECT_EQ(tender->text(), "0.00"); // reset by the sale change, never typed into
    ASSERT_EQ(lines().Count(), 2);
    EXPECT_FLOAT_EQ(lines().Item(1)->qty(), 2.0f);
    EXPECT_EQ(rowNames(), (QStringList{"Claw Hammer 16 oz", "Leather Work Gloves"}));
    // The tax is 45.97 x 7.25 %.
    EXPECT_EQ(QStringList({label("lblSubtotal"), label("lblTax"), label("lblTotal")}),
              QStringList({"$45.97", "$3.33", "$49.30"}));
    EXPECT_TRUE(button("cmdProcessTransaction")->isEnabled());
    EXPECT_FALSE(pos->scanning());

    // Ctrl alone inside a code adds nothing; an unknown code queues its message.
    key(Qt::Key_BracketRight, Qt::ControlModifier);
    key(Qt::Key_Control, Qt::ControlModifier);
    type("999");
    key(Qt::Key_Backslash, Qt::ControlModifier);
    EXPECT_EQ(prompt.count(), 0);
    QTRY_COMPARE(prompt.count(), 1);
    EXPECT_EQ(prompt.last().box(), "Vanta P.O.S [Information] The scanned barcode was invalid.");
    EXPECT_EQ(lines().Count(), 2);
}

TEST_F(Register, CapturedCodeIsLookedUpAsTyped)
{
    test::insertRow(ts.db(), "Items", {"Item Index", "Name", "barcode label", "qty", "LIST PRICE"},
                    {2001, "Odd code", "ab-12.x", 5, 1.0});
    open();
    scan("ab-12.x");
    ASSERT_EQ(lines().Count(), 1);
    EXPECT_EQ(lines().Item(1)->good(), sale::Good::item(2001));
}

TEST_F(Register, ManualAddIsOnTheMenuAndCtrlM)
{
    open();
    prompt.answerInput("GIFTCARD25").answerInput("GIFTCARD25");
    QMetaObject::invokeMethod(pos->findChild<QAction *>("mnuManualAdd"), "trigger");
    EXPECT_EQ(pos->findChild<QAction *>("mnuManualAdd")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_M));
    ASSERT_EQ(lines().Count(), 1);
    EXPECT_EQ(rowNames(), QStringList{"Gift Card $25"});
    EXPECT_TRUE(button("cmdHold")->isEnabled());
}

TEST_F(Register, RemoveCancelAndPaging)
{
    open();
    scan(kHammer); // a scan enables the sale buttons
    for (int i = 1002; i <= 1012; ++i)
        if (i != 1003)
            pos->Add_Item(sale::Good::item(i));
    ASSERT_EQ(lines().Count(), 11);
    QScrollBar *bar = child<QScrollBar>("VScroll1");
    EXPECT_TRUE(bar->isEnabled());
    EXPECT_EQ(bar->maximum(), 1);
    bar->setValue(1);
    EXPECT_EQ(pos->row(0)->linePosition(), 2);
    EXPECT_EQ(lines().Item(2)->good(), sale::Good::item(1002));
    EXPECT_EQ(pos->row(9)->linePosition(), 11);
    EXPECT_EQ(lines().Item(11)->good(), sale::Good::item(1012));

    removeFirstRow();
    EXPECT_EQ(prompt.last().text, "Are you sure that you want to remove the selected item?");
    EXPECT_EQ(lines().Count(), 10);
    EXPECT_FALSE(lines().Find(sale::Good::item(1002)));
    EXPECT_EQ(pos->selectedRow(), -1);

    // A cancelled sale leaves nothing on the screen.
    prompt.answer(Answer::Yes);
    QTest::mouseClick(button("cmdCancel"), Qt::LeftButton);
    EXPECT_EQ(lines().Count(), 0);
    EXPECT_EQ(rowNames(), QStringList{"None"});
    EXPECT_EQ(label("lblSubtotal"), "$0.00");
}

TEST_F(Register, RemovingTheLastLineDisablesTheSaleButtons)
{
    open();
    scan(kHammer);
    removeFirstRow();
    EXPECT_EQ(lines().Count(), 0);
    for (const char *b : {"cmdRemove", "cmdHold", "cmdProcessTransaction", "cmdShipping"})
        EXPECT_FALSE(button(b)->isEnabled()) << b;
    EXPECT_EQ(session.sale.tax().shipping, 0.0);
    EXPECT_EQ(label("lblTax"), "$0.00");
}

TEST_F(Register, NonTaxableCustomerShowsNoTax)
{
    open();
    scan(kHammer);
    EXPECT_NE(label("lblTax"), "$0.00");
    chooseCustomer("Greenfield School District 12");
    EXPECT_EQ(label("lblTax"), "$0.00");
    EXPECT_EQ(label("lblTotal"), label("lblSubtotal"));
}

TEST_F(Register, HoldMinimisesAndScanRestores)
{
    open();
    scan(kHammer);
    QTest::mouseClick(button("cmdHold"), Qt::LeftButton);
    EXPECT_TRUE(pos->isMinimized());
    EXPECT_FALSE(pos->isClosed());
    EXPECT_EQ(pos->windowTitle(), "Hold Sale - None");
    scan(kHammer);
    EXPECT_FALSE(pos->isMinimized());
    EXPECT_FLOAT_EQ(lines().Item(1)->qty(), 2.0f);

    prompt.answer(Answer::No);
    QTest::mouseClick(button("Label2"), Qt::LeftButton);
    EXPECT_FALSE(pos->isClosed());
    prompt.answer(Answer::Yes);
    QTest::mouseClick(button("Label2"), Qt::LeftButton);
    EXPECT_EQ(prompt.last().text, "Are you sure that you want to shut down?");
    EXPECT_TRUE(pos->isClosed());
}

TEST_F(Register, HoldWithAnEmptySaleCloses)
{
    open();
    button("cmdHold")->setEnabled(true);
    QTest::mouseClick(button("cmdHold"), Qt::LeftButton);
    EXPECT_TRUE(pos->isClosed());
}

// One Alt letter per button and menu of the register ("Hold Sale" and
// "Help" once shared H), and the desktop's own font at the design's 9
// points rather than a family the desktop may lack.
TEST_F(Register, EachAltLetterIsOnceAndTheFontIsTheDesktops)
{
    open();
    QMultiMap<QChar, QString> byLetter;
    const auto add = [&byLetter](const QString &text) {
        const qsizetype at = text.indexOf('&');
        if (at >= 0 && at + 1 < text.size())
            byLetter.insert(text[at + 1].toUpper(), text);
    };
    for (const QAbstractButton *b : pos->findChildren<QAbstractButton *>())
        add(b->text());
    for (const QAction *menu : pos->menuBar()->actions())
        add(menu->text());
    for (QChar letter : byLetter.uniqueKeys())
        EXPECT_EQ(byLetter.count(letter), 1) << QStringList(byLetter.values(letter)).join(", ").toStdString();
    EXPECT_EQ(byLetter.value('H'), "&Help");
    EXPECT_EQ(byLetter.value('O'), "H&old Sale");
    EXPECT_EQ(pos->font().family(), QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
    EXPECT_EQ(pos->font().pointSizeF(), 9.0);
}

// A store the register cannot work on is refused once, in plain words, with
// the choice of another file; start-up then goes on quietly without a store.
TEST_F(Register, UnusableStoreIsRefusedOnceWithTheChoiceOfAnother)
{
    ts.db().execute("DROP TABLE \"Sales\"");
    ts.store.reset();
    prompt.answer(Answer::Yes).answerOpenFile(config.filePath("nowhere/vanta.mdb"));
    pos = std::make_unique<frmPOS>(session, ts.path());
    pos->Form_Load();
    ASSERT_GE(prompt.count(), 2);
    EXPECT_EQ(prompt.requests()[0].text, "The store database '" + ts.path()
                                             + "/vanta.mdb' lacks tables the register needs: Sales.\n\n"
                                               "Do you want to choose another store database?");
    EXPECT_EQ(prompt.requests()[0].icon, Icon::Critical);
    EXPECT_EQ(prompt.requests()[1].kind, test::PromptRequest::Kind::OpenFile);
    EXPECT_FALSE(session.hasStore());
    EXPECT_EQ(diag::Trace::instance().lastError().number, 0) << "nothing trapped";
}

// Damage in pages start-up never reads is found by the check that follows
// start-up: said once in plain words, and the store is closed to sales.
TEST_F(Register, DamageFoundAfterStartUpIsSaidAndStopsPosting)
{
    test::addArchive(ts.db());
    ts.store.reset();
    ASSERT_TRUE(test::damagePage(db::Store::databaseFile(ts.path())));
    open();
    (void)QTest::qWaitFor([&] { return prompt.count() > 0; }, 30000);
    ASSERT_EQ(prompt.count(), 1);
    EXPECT_TRUE(prompt.requests()[0].text.startsWith("The store database '" + db::Store::databaseFile(ts.path())
                                                     + "' is damaged ("))
        << prompt.requests()[0].text.toStdString();
    EXPECT_TRUE(prompt.requests()[0].text.endsWith("restore the store database from the latest backup."));
    EXPECT_EQ(prompt.requests()[0].icon, Icon::Critical);
    EXPECT_TRUE(session.store().knownDamaged());
}
