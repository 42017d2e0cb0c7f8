// The X and Z reports as printed: every row on the receipt printer at
// both widths and on the page through the report layout, and a Z report
// kept and read back unchanged.
#include "dayend/ShiftReport.h"
#include "posting/ReportEngine.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace vanta::dayend;

namespace {

ShiftFigures aDay()
{
    ShiftFigures f;
    f.registerName = "Front Counter";
    f.zNumber = 7;
    f.openedAt = QDateTime(QDate(2026, 12, 8), QTime(8, 30));
    f.closedAt = QDateTime(QDate(2026, 12, 8), QTime(18, 5));
    f.openedBy = "Dana K Morgan";
    f.salesCount = 42;
    f.gross = 123456;
    f.discounts = 1500;
    f.returns = 2599;
    f.taxByAgency = {{"Illinois", 12, 7000}, {"Springfield", 12, 1250}};
    f.taxByJurisdiction = {{"Illinois, IL", 12, 7000}, {"Springfield", 12, 1250}};
    f.shipping = 900;
    f.byPayType = {{"Cash", 30, 80000}, {"Credit Card", 12, 46607}};
    f.byCashier = {{"Sam T Rivera", 42, 126607}};
    f.invoices = {{}, 2, 30000};
    f.accountPayments = {{}, 1, 5000};
    f.cancelled = {{}, 3, 4599};
    f.noSales = 2;
    f.topItems = {{"Claw Hammer", 17, 22083}, {"Wood Screws", 9, 4500}};
    f.floatCents = 20000;
    f.cashSales = 82599;
    f.cashRefunds = 2599;
    f.paidIn = 5000;
    f.paidOut = 1250;
    f.countedCash = 103650;
    return f;
}

} // namespace

TEST(ShiftReport, RowsCashAndOverOrShort)
{
    ShiftFigures f = aDay();
    EXPECT_EQ(f.net(), 123456 - 1500 - 2599);
    EXPECT_EQ(f.expectedCash(), 20000 + 82599 - 2599 + 5000 - 1250);
    EXPECT_EQ(f.overShort(), -100);
    QStringList text;
    for (const ReportRow &r : shiftReportRows(f))
        text << (r.heading.isEmpty() ? QStringList{r.label, r.count, r.amount}.join('|') : "# " + r.heading);
    for (const char *row : {"Sales|42|$1,234.56", "Discounts||-$15.00", "Returns||-$25.99", "Net sales||$1,193.57",
                            "Illinois|12|$70.00", "Total tax||$82.50", "Cash|30|$800.00", "Invoices raised|2|$300.00",
                            "Payments received|1|$50.00", "Cancelled sales|3|$45.99", "No sale openings|2|",
                            "Expected cash||$1,037.50", "Counted cash||$1,036.50", "Short||$1.00",
                            "Claw Hammer|17|$220.83", "# Items sold most", "# Tax by jurisdiction",
                            "Illinois, IL|12|$70.00"})
        EXPECT_TRUE(text.contains(row)) << row;
    // A shift whose tax was posted under no jurisdiction lists none.
    ShiftFigures noPlaces = aDay();
    noPlaces.taxByJurisdiction.clear();
    for (const ReportRow &r : shiftReportRows(noPlaces))
        EXPECT_NE(r.heading, "Tax by jurisdiction");
    // Every edge of the difference: over, even, and a drawer never counted.
    f.countedCash = f.expectedCash() + 1;
    EXPECT_TRUE(shiftReportRows(f)[text.indexOf("Short||$1.00")].label == "Over");
    f.countedCash = f.expectedCash();
    EXPECT_TRUE(shiftReportRows(f)[text.indexOf("Short||$1.00")].label == "Even");
    f.countedCash.reset();
    EXPECT_EQ(shiftReportRows(f)[text.indexOf("Counted cash||$1,036.50")].amount, "not counted");
}

TEST(ShiftReport, PrintedOnEitherPaperAndOnThePage)
{
    const ShiftFigures f = aDay();
    for (int mm : {58, 80}) {
        SCOPED_TRACE(mm);
        const QByteArray bytes = escPosShiftReport(f, true, mm);
        EXPECT_TRUE(bytes.contains("Z Report 7 (COPY)"));
        EXPECT_TRUE(bytes.contains("Register: Front Counter"));
        const int columns = mm == 58 ? 32 : 48;
        const QByteArray expected = "Expected cash" + QByteArray(columns - 13 - 9, ' ') + "$1,037.50";
        EXPECT_TRUE(bytes.contains(expected)) << expected.constData();
    }
    const vanta::posting::RenderedDocument page =
        shiftReportDocument(f, false, QDir(vanta::posting::reportsFolder()).filePath("shiftreport.rpt"));
    EXPECT_EQ(page.title, "Z Report 7");
    for (const char *text : {"Front Counter", "Tax by agency", "Springfield", "$12.50", "Wood Screws"})
        EXPECT_TRUE(page.html.contains(text)) << text;
    EXPECT_EQ(shiftReportTitle(ShiftFigures{}, false), "X Report");
}

TEST(ShiftReport, AZReportIsKeptAsItWas)
{
    ShiftFigures f = aDay();
    f.closedAfterCrash = true;
    EXPECT_EQ(ShiftFigures::fromJson(f.toJson()).toJson(), f.toJson());
    f.countedCash.reset();
    const ShiftFigures back = ShiftFigures::fromJson(f.toJson());
    EXPECT_FALSE(back.countedCash);
    EXPECT_EQ(back.topItems, f.topItems);
    EXPECT_EQ(back.taxByJurisdiction, f.taxByJurisdiction);
    // A Z report kept before jurisdictions were recorded reads back without them.
    QJsonObject older = f.toJson();
    older.remove(QStringLiteral("taxPlaces"));
    EXPECT_TRUE(ShiftFigures::fromJson(older).taxByJurisdiction.empty());
    EXPECT_TRUE(shiftReportHeader(back).contains("Closed after a crash: the drawer was not counted."));
}
