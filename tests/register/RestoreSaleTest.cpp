// The open sale survives the register: kept at every change, offered back
// at the next start, cleared when it is processed or cancelled.
#include "register/RegisterFixture.h"

#include "journal/OpenSale.h"
#include "journal/RingUp.h"
#include "journal/SaleJournal.h"
#include "support/Files.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

using namespace vanta;
using platform::Answer;

namespace {

const QString kHammer = "073256120013";

class RestoreSale : public test::RegisterTest {
protected:
    // The register stops without closing (a crash, a kill) and starts again.
    frmPOS &restart()
    {
        QApplication::processEvents(); // the last change handled, as the register's event loop does
        pos.reset();
        session.closeStore();
        session.sale.restore(0, {}, std::nullopt, {}, {}); // a new process starts with nothing
        prompt.clearRecord();
        return open();
    }
    QString journalPath() const
    {
        return journal::SaleJournal::pathFor(settings.folder(), QDir(ts.path()).filePath("vanta.mdb"));
    }
    static journal::OpenSale comparable(journal::OpenSale sale)
    {
        sale.changed = QDateTime();
        return sale;
    }
    journal::OpenSale openSale() const { return journal::openSaleOf(session.sale, QDateTime::currentDateTime()); }
    QStringList amounts() const
    {
        QStringList out;
        for (const char *l : {"lblSubtotal", "lblShipping", "lblTax", "lblTotal", "lblMethod", "lblshippingDesc"})
            out << label(l);
        return out;
    }
};

} // namespace

TEST_F(RestoreSale, TheSaleComesBackExactlyAsItStood)
{
    open();
    test::ringup::RingUp ringUp(*pos, session.sale.lines(), dialogs, 20261207);
    for (int i = 0; i < 200 && (lines().Count() < 4 || session.sale.shipping().methodId == 0 || !openSale().payTypeId); ++i)
        ringUp.step();
    ASSERT_GE(lines().Count(), 4);
    const journal::OpenSale before = openSale();
    const QStringList shown = amounts();
    const QStringList rows = rowNames();

    restart();
    ASSERT_EQ(prompt.count(), 1);
    const test::PromptRequest &asked = prompt.requests()[0];
    const QRegularExpression question(QStringLiteral("An unfinished sale from \\d{1,2}/\\d{1,2}/\\d{4} "
                                                     "\\d{1,2}:\\d\\d [AP]M with %1 items was found\\. Restore it\\?")
                                          .arg(before.lines.size()));
    EXPECT_TRUE(question.match(asked.text).hasMatch()) << qPrintable(asked.text);
    EXPECT_EQ(asked.title, "Vanta! POS");
    EXPECT_EQ(asked.buttons, platform::Buttons::YesNo);
    EXPECT_EQ(comparable(openSale()), comparable(before));
    EXPECT_EQ(amounts(), shown);
    EXPECT_EQ(rowNames(), rows);
    for (const char *b : {"cmdRemove", "cmdHold", "cmdProcessTransaction"})
        EXPECT_TRUE(button(b)->isEnabled()) << b;

    // Restored, it goes on being kept: one more line, another start.
    scan(kHammer);
    const journal::OpenSale more = openSale();
    restart();
    EXPECT_EQ(comparable(openSale()), comparable(more));
}

TEST_F(RestoreSale, ProcessedCancelledOrDeclinedSalesAreNotOfferedAgain)
{
    open();
    scan(kHammer);
    const qint32 saleId = session.sale.number();
    pay("Check");
    ASSERT_EQ(ts.db().scalar("SELECT count(*) FROM Sales WHERE \"Sales ID\" = ?", {saleId}).toInt(), 1);
    restart();
    EXPECT_EQ(prompt.count(), 0);

    scan(kHammer);
    prompt.answer(Answer::Yes);
    QTest::mouseClick(button("cmdCancel"), Qt::LeftButton);
    restart();
    EXPECT_EQ(prompt.count(), 0);

    scan(kHammer);
    prompt.answer(Answer::No);
    restart();
    EXPECT_EQ(prompt.count(), 1);
    EXPECT_EQ(lines().Count(), 0);
    EXPECT_EQ(rowNames(), QStringList{"None"});
    restart();
    EXPECT_EQ(prompt.count(), 0);
}

TEST_F(RestoreSale, AHeldSaleIsOfferedBack)
{
    open();
    scan(kHammer);
    scan(kHammer);
    QTest::mouseClick(button("cmdHold"), Qt::LeftButton);
    ASSERT_TRUE(pos->isMinimized());
    restart();
    ASSERT_EQ(prompt.count(), 1);
    EXPECT_TRUE(prompt.last().text.endsWith("with 1 items was found. Restore it?"));
    ASSERT_EQ(lines().Count(), 1);
    EXPECT_FLOAT_EQ(lines().Item(1)->qty(), 2.0f);
}

TEST_F(RestoreSale, ADamagedJournalIsReportedAndTheRegisterStartsEmpty)
{
    QDir().mkpath(settings.folder());
    test::writeFile(journalPath(), "VSJ1 and then nothing that makes sense");
    open();
    ASSERT_EQ(prompt.count(), 1);
    EXPECT_TRUE(prompt.last().text.startsWith("An unfinished sale kept by this register could not be read: "))
        << qPrintable(prompt.last().text);
    EXPECT_TRUE(prompt.last().text.contains("The register starts with an empty sale."));
    EXPECT_TRUE(prompt.last().text.contains(journalPath() + ".damaged"));
    EXPECT_EQ(prompt.last().icon, platform::Icon::Exclamation);
    EXPECT_EQ(lines().Count(), 0);
    EXPECT_TRUE(QFile::exists(journalPath() + ".damaged"));

    scan(kHammer); // the journal is made afresh
    restart();
    EXPECT_EQ(prompt.count(), 1);
    EXPECT_EQ(lines().Count(), 1);
}

TEST_F(RestoreSale, AJournalThatCannotBeWrittenIsReportedOnceAndTheSaleGoesOn)
{
    open();
    QDir().mkpath(journalPath()); // a folder where the file should go
    scan(kHammer);
    scan("GIFTCARD25");
    ASSERT_EQ(prompt.count(), 1);
    EXPECT_TRUE(prompt.last().text.startsWith("The sale in progress could not be saved against a crash or power "
                                              "failure:\n"))
        << qPrintable(prompt.last().text);
    EXPECT_EQ(lines().Count(), 2);
}
