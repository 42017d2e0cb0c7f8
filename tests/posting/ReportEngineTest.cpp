#include "posting/ReportEngine.h"

#include "diagnostics/VantaError.h"
#include "posting/DocumentsFixture.h"
#include "posting/ReportLayout.h"
#include "posting/SaleRecord.h"
#include "posting/SelectionFormula.h"

#include <QDir>

using namespace vanta;
using namespace vanta::posting;

TEST(SelectionFormula, OnlyTheSaleNumberFormIsUnderstood)
{
    EXPECT_EQ(saleSelectionFormula(1234), "{Sales.Sales id} = 1234");
    EXPECT_EQ(parseSaleSelectionFormula(saleSelectionFormula(1234)), 1234);
    EXPECT_EQ(parseSaleSelectionFormula("{Sales.Sales id} = 2147483647"), 2147483647);
    EXPECT_EQ(parseSaleSelectionFormula("{Sales.Sales id} = -7"), -7);

    for (const char *bad : {"", "{Sales.Sales id} = ", "{Sales.Sales id}=12", "{Sales.Sales id}  = 12",
                            "{Sales.Sales id} = 12 ", " {Sales.Sales id} = 12", "{sales.sales id} = 12",
                            "{Sales.Sales id} = +12", "{Sales.Sales id} = 1.5", "{Sales.Sales id} = 12 OR 1 = 1",
                            "{Sales.Sales id} = 2147483648", "{Sales.Sales id} = -", "{Sales.Sales id} = 0x1F",
                            "{Sales.Cust id} = 12"})
        EXPECT_THROW(parseSaleSelectionFormula(bad), VantaError) << bad;
}

TEST(ReportLayout, FillsFieldsLinesAndConditionalSections)
{
    const ReportLayout layout = ReportLayout::parse("<!--vanta-layout\n"
                                                    "title: Pick List\n"
                                                    "page: A4\n"
                                                    "orientation: landscape\n"
                                                    "margins: 10 20 30 40\n"
                                                    "-->\n"
                                                    "<h1>{{ Title }}</h1>{{#Lines}}[{{No}}:{{Title}}]{{/Lines}}"
                                                    "{{?Memo}}memo {{Memo}}{{/Memo}}{{^Memo}}no memo{{/Memo}}",
                                                    "pick.rpt");
    EXPECT_EQ(layout.title(), "Pick List");
    EXPECT_EQ(layout.page().size.id(), QPageSize::A4);
    EXPECT_EQ(layout.page().orientation, QPageLayout::Landscape);
    EXPECT_EQ(layout.page().marginsMm, QMarginsF(40, 10, 20, 30));

    ReportData data;
    data.fields = {{"Title", "Nuts & Bolts\nand more"}, {"Memo", ""}};
    data.lineFields = {"No"};
    data.lines = {{{"No", "1"}}, {{"No", "2"}, {"Title", "<own>"}}};
    EXPECT_EQ(layout.fill(data), "\n<h1>Nuts &amp; Bolts<br/>and more</h1>[1:Nuts &amp; Bolts<br/>and more]"
                                 "[2:&lt;own&gt;]no memo");
    data.fields["Memo"] = "fragile";
    data.lines.clear();
    EXPECT_TRUE(layout.fill(data).endsWith("</h1>memo fragile"));

    // Without a head the file name gives the title and the page is Letter.
    const ReportLayout plain = ReportLayout::parse("{{Title}}", "packingslip.rpt");
    EXPECT_EQ(plain.title(), "packingslip");
    EXPECT_EQ(plain.page().size.id(), QPageSize::Letter);
}

TEST(ReportLayout, MistakesAreReportedNotPrinted)
{
    ReportData data;
    data.fields = {{"Title", "x"}};
    data.lineFields = {"No"};
    for (const char *bad : {"{{Tilte}}", "{{No}}", "{{?Missing}}x{{/Missing}}", "{{#Lines}}{{No}}"})
        EXPECT_THROW(ReportLayout::parse(bad, "bad.rpt").fill(data), VantaError) << bad;
    for (const char *bad : {"{{/Lines}}", "{{#Lines}}{{/Title}}", "{{#Title}}{{/Title}}", "{{Title",
                            "{{}}", "{{#Lines}}{{#Lines}}{{/Lines}}{{/Lines}}", "<!--vanta-layout\ncolour: red\n-->",
                            "<!--vanta-layout\npage: Tabloid\n-->", "<!--vanta-layout\nmargins: 1 2\n-->",
                            "<!--vanta-layout\ntitle: x\n"})
        EXPECT_THROW(ReportLayout::parse(bad, "bad.rpt"), VantaError) << bad;
    EXPECT_THROW(ReportLayout::load(QDir::temp().filePath("no-such-layout.rpt")), VantaError);
}

using InstalledReports = test::DocumentsTest;

TEST_F(InstalledReports, TheInvoiceShowsAddressesTermsLinesAndWhatIsStillOwed)
{
    writeInvoiceSale();
    const RenderedDocument doc = runReport(*ts.store, QDir(reportsFolder()).filePath("singlesale.rpt"),
                                           "{Sales.Sales id} = 515151");
    EXPECT_EQ(doc.title, "Invoice 515151");
    EXPECT_EQ(doc.page.size.id(), QPageSize::Letter);
    const QStringList text = textLines(doc.html);
    for (const char *expected :
         {"Vanta Corner Store", "INVOICE", "515151", "4/2/2025", "Adams Hardware Supply", "2250 Dirksen Parkway",
          "Attn: Receiving Dock 3", "400 Factory Road", "PO-7731", "Net 30", "UPS Ground", "4/3/2025", "Sam Rivera",
          "Wood Screws #8 x 1-1/4 in. (taxable)", "$90.00", "Thank you for your order!"})
        EXPECT_TRUE(text.contains(expected)) << expected;
    // The lines table: quantity, item, description, unit price, amount.
    const qsizetype hammer = text.indexOf("Claw Hammer 16 oz (taxable)");
    ASSERT_GE(hammer, 2);
    EXPECT_EQ(text.mid(hammer - 2, 5), (QStringList{"3", "1001", "Claw Hammer 16 oz (taxable)", "$12.99", "$38.97"}));
    // The due date is Net 30 from the sale date.
    EXPECT_EQ(afterEach(text, {"Subtotal", "Shipping", "Sales Tax (6.6%)", "Total", "Amount Paid", "Balance Due",
                               "Due Date"}),
              QStringList({"$156.42", "$8.50", "$10.95", "$175.87", "$20.00", "$155.87", "5/2/2025"}));
}

TEST(SaleRecord, DueDateFollowsTheNetDaysOfTheTerms)
{
    SaleRecord s;
    s.date = QDateTime(QDate(2025, 4, 2), QTime(15, 30));
    for (const auto &[terms, due] : {std::pair{"Net 30", QDate(2025, 5, 2)}, std::pair{"2% 10 Net 30", QDate(2025, 5, 2)},
                                     std::pair{"net 7", QDate(2025, 4, 9)}, std::pair{"Due on receipt", QDate(2025, 4, 2)},
                                     std::pair{"None", QDate(2025, 4, 2)}, std::pair{"Network 5", QDate(2025, 4, 2)}}) {
        s.terms = QString::fromUtf8(terms);
        EXPECT_EQ(s.dueDate(), due) << terms;
    }
}

TEST_F(InstalledReports, ThePackingSlipListsShipToAndQuantitiesWithoutPrices)
{
    writeInvoiceSale();
    const RenderedDocument doc = runReport(*ts.store, QDir(reportsFolder()).filePath("packingslip.rpt"),
                                           saleSelectionFormula(InvoiceSale));
    EXPECT_EQ(doc.title, "Packing Slip 515151");
    const QString plain = textLines(doc.html).join('\n');
    EXPECT_TRUE(plain.contains("Adams Hardware Supply\nAttn: Receiving Dock 3\n400 Factory Road\nSpringfield, IL 62703"));
    EXPECT_TRUE(plain.contains("1\n1004\nWood Screws #8 x 1-1/4 in.\n20"));
    EXPECT_TRUE(plain.contains("3\n1002\nPhillips Screwdriver #2\n5"));
    EXPECT_TRUE(plain.contains("Total quantity\n28"));
    EXPECT_FALSE(plain.contains('$'));

    // A sale without ship-to lines ships to the bill-to address; an employee
    // number as sales representative prints as the employee's name.
    writeCashSale();
    const QStringList cash = textLines(runReport(*ts.store, QDir(reportsFolder()).filePath("packingslip.rpt"),
                                                 saleSelectionFormula(CashSale)).html);
    EXPECT_EQ(after(cash, "Ship To"), "Shipment");
    EXPECT_TRUE(cash.contains("CASH SALE"));
    const QStringList invoice = textLines(runReport(*ts.store, QDir(reportsFolder()).filePath("singlesale.rpt"),
                                                    saleSelectionFormula(CashSale)).html);
    EXPECT_TRUE(invoice.contains("Dana K Morgan"));

    EXPECT_THROW(runReport(*ts.store, QDir(reportsFolder()).filePath("packingslip.rpt"), "{Sales.Sales id} = 1 OR 1"),
                 VantaError);
    EXPECT_THROW(runReport(*ts.store, QDir(reportsFolder()).filePath("packingslip.rpt"), saleSelectionFormula(7)),
                 VantaError);
}
