#include "diagnostics/ApplicationTitle.h"
#include "tax/TaxRecording.h"

#include "support/ScriptedPrompt.h"
#include "support/TaxFixtures.h"

using namespace vanta;
using namespace vanta::tax;

namespace {

class TaxRecording : public test::SaleStoreTest {
protected:
    // Agency name -> total of the sale's rows.
    QMap<QString, double> recorded(qint32 saleId)
    {
        QMap<QString, double> out;
        db::Recordset rs = db().openQuery("SELECT * FROM \"Tax Holder\" WHERE \"Sale ID\" = ?", {saleId});
        for (; !rs.eof(); rs.moveNext())
            out.insert(rs.text("Tax agency"), rs.field("total").toDouble());
        return out;
    }
    void addAgency(qint16 id, const QString &name) { test::insertRow(db(), "Tax Agencies", {"id", "Name"}, {id, name}); }

    test::ScriptedPrompt prompt;
};

} // namespace

TEST_F(TaxRecording, FixedRateRecordsOneRowOfTheLinesMarkedTaxable)
{
    test::setCompanyTax(db(), 2, 7);
    // The line's own flag decides, not the item's.
    const auto items = test::saleOf({{.item = 1, .price = 10, .qty = 2}, {.item = 2, .price = 5, .taxable = false}});
    EXPECT_FALSE(UpdateTaxTableFixed(db(), 1, items, prompt));
    EXPECT_EQ(recorded(1).keys(), QStringList({"Fixed Tax"}));
    EXPECT_NEAR(recorded(1)["Fixed Tax"], 1.40, 1e-6);

    test::setCompanyTax(db(), 2, 0.07);
    EXPECT_FALSE(UpdateTaxTableFixed(db(), 2, items, prompt));
    EXPECT_NEAR(recorded(2)["Fixed Tax"], 1.40, 1e-6) << "a rate below 1 is already a fraction";

    EXPECT_FALSE(UpdateTaxTableFixed(db(), 3, test::saleOf({{.item = 2, .price = 5, .taxable = false}}), prompt));
    EXPECT_EQ(recorded(3), (QMap<QString, double>{{"Fixed Tax", 0.0}})) << "written even when the total is 0";
    EXPECT_EQ(prompt.count(), 0);
}

TEST_F(TaxRecording, RulesRecordTheLastShareOfEachTypePerAgency)
{
    test::addCustomer(db(), {.id = 1, .state = "IL"});
    test::addCustomer(db(), {.id = 2, .state = "CA"});
    addAgency(1, "State");
    addAgency(2, "City");
    // Rule 1: type 100 (5 %, agency 1), type 200 (flat 0.25 to 5, flat 0.10
    // to 20, then 6 %; agency 2), type 300 (8 % in CA only, agency 1) and
    // type 400 (agency 9, unknown: recorded under an empty name).
    test::addTaxType(db(), 100, 7, 4, 1);
    test::addSplit(db(), 100, 9999, true, 5);
    test::addTaxType(db(), 200, 7, 4, 2);
    test::addSplit(db(), 200, 5, false, 0.25);
    test::addSplit(db(), 200, 20, false, 0.10);
    test::addSplit(db(), 200, 9999, true, 6);
    test::addTaxType(db(), 300, 0, 4, 1);
    test::addSplit(db(), 300, 9999, true, 8);
    test::addJurisdiction(db(), 300, "CA");
    test::addTaxType(db(), 400, 7, 4, 9);
    test::addSplit(db(), 400, 9999, false, 0.05);
    for (qint32 type : {100, 200, 300, 400})
        test::addRuleRow(db(), 1, type);

    const auto items = test::saleOf({
        {.item = 1, .price = 10, .qty = 1, .rule = 1},
        {.item = 2, .price = 3, .qty = 4, .rule = 1},
        {.item = 3, .price = 50, .qty = 1, .taxable = false, .rule = 1},
        {.item = 4, .price = 0, .qty = 1, .rule = 1},
    });
    EXPECT_FALSE(UpdateTaxTableFromRules(db(), 7, 1, items, prompt));
    const QMap<QString, double> il = recorded(7);
    EXPECT_EQ(il.keys(), QStringList({"", "City", "State"}));
    EXPECT_NEAR(il["State"], 0.50 + 0.60, 1e-9) << "5 % of both lines into one row";
    EXPECT_NEAR(il["City"], 0.60 + 0.72, 1e-9) << "the percentage bracket replaces the flat amounts before it";
    EXPECT_NEAR(il[""], 0.05 + 0.05, 1e-9);

    // In CA the state agency also takes type 300's share.
    EXPECT_FALSE(UpdateTaxTableFromRules(db(), 8, 2, items, prompt));
    EXPECT_NEAR(recorded(8)["State"], 0.50 + 0.60 + 0.80 + 0.96, 1e-9);
    EXPECT_EQ(GetAgencyName(db(), 9), "");
    EXPECT_EQ(GetAgencyName(db(), 2), "City");
    EXPECT_EQ(prompt.count(), 0);
}

TEST_F(TaxRecording, ZeroSharesWriteNothingAndErrorsAreReported)
{
    test::addCustomer(db(), {.id = 1, .state = "IL"});
    addAgency(1, "State");
    test::addTaxType(db(), 100, 7, 4, 1);
    test::addSplit(db(), 100, 5, true, 5); // prices above 5 match no bracket
    test::addTaxType(db(), 200, 0, 4, 1);
    test::addSplit(db(), 200, 9999, true, 5);
    test::addJurisdiction(db(), 200, "CA"); // not where the customer is
    test::addRuleRow(db(), 1, 100);
    test::addRuleRow(db(), 1, 200);
    test::addRuleRow(db(), 1, 404); // a missing tax type is skipped

    EXPECT_FALSE(UpdateTaxTableFromRules(db(), 1, 1, test::saleOf({{.item = 1, .price = 10, .rule = 1}}), prompt));
    EXPECT_FALSE(WriteToTaxHolderTable(db(), 1, 1, 0.0, prompt));
    EXPECT_FALSE(WriteToTaxHolderTable(db(), 1, 1, -2.0, prompt));
    EXPECT_EQ(db().scalar("SELECT count(*) FROM \"Tax Holder\"").toInt(), 0);

    // A store without the table: each procedure shows the error and fails.
    db().execute("DROP TABLE \"Tax Holder\"");
    db().connection().forgetSchema();
    EXPECT_TRUE(WriteToTaxHolderTable(db(), 1, 1, 1.0, prompt));
    EXPECT_TRUE(UpdateTaxTableFixed(db(), 1, test::saleOf({{.item = 1, .price = 1}}), prompt));
    ASSERT_EQ(prompt.count(), 2);
    EXPECT_TRUE(prompt.texts()[0].startsWith("WriteToTaxHolderTable 3265 ")) << prompt.texts()[0].toStdString();
    EXPECT_TRUE(prompt.texts()[1].startsWith("3265 ")) << prompt.texts()[1].toStdString();
    EXPECT_EQ(prompt.last().title, applicationTitle());
}
