#include "diagnostics/ApplicationTitle.h"
#include "tax/SaleTax.h"
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

TEST_F(TaxRecording, OneRowPerAgencyAsCharged)
{
    EXPECT_FALSE(WriteTaxHolderRows(db(), 1, {{"State", 110}, {"City", 177}, {"", 10}}, prompt));
    EXPECT_EQ(recorded(1), (QMap<QString, double>{{"State", 1.10}, {"City", 1.77}, {"", 0.10}}));
    EXPECT_FALSE(WriteTaxHolderRows(db(), 2, {{"Fixed Tax", 0}}, prompt));
    EXPECT_EQ(recorded(2), (QMap<QString, double>{{"Fixed Tax", 0.0}})) << "written even when the amount is 0";
    EXPECT_FALSE(WriteTaxHolderRows(db(), 3, {}, prompt));
    EXPECT_TRUE(recorded(3).isEmpty());
    EXPECT_EQ(prompt.count(), 0);

    // A row the sale already has, or a store without the table: the error
    // is shown and the posting told.
    EXPECT_TRUE(WriteTaxHolderRows(db(), 1, {{"State", 5}}, prompt));
    db().execute("DROP TABLE \"Tax Holder\"");
    db().connection().forgetSchema();
    EXPECT_TRUE(WriteTaxHolderRows(db(), 4, {{"State", 5}}, prompt));
    ASSERT_EQ(prompt.count(), 2);
    EXPECT_TRUE(prompt.texts()[1].startsWith("3265 ")) << prompt.texts()[1].toStdString();
    EXPECT_EQ(prompt.last().title, applicationTitle());
}

// Every bracket share the register charges goes to its type's agency: the
// flat brackets below a percentage bracket as well as the percentage.
TEST_F(TaxRecording, RulesGiveEachAgencyEveryShareOfItsTypes)
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
    test::addSplits(db(), 200, {{5, false, 0.25}, {20, false, 0.10}, {9999, true, 6}});
    test::addTaxType(db(), 300, 0, 4, 1);
    test::addSplit(db(), 300, 9999, true, 8);
    test::addJurisdiction(db(), 300, "CA");
    test::addTaxType(db(), 400, 7, 4, 9);
    test::addSplit(db(), 400, 9999, false, 0.05);
    for (qint32 type : {100, 200, 300, 400})
        test::addRuleRow(db(), 1, type);
    for (qint32 item : {1, 2, 3, 4})
        test::addTaxItem(db(), item, true);
    test::setCompanyTax(db(), 3, 0);

    const auto items = test::saleOf({
        {.item = 1, .price = 10, .qty = 1, .rule = 1},
        {.item = 2, .price = 3, .qty = 4, .rule = 1},
        {.item = 3, .price = 50, .qty = 1, .taxable = false, .rule = 1},
        {.item = 4, .price = 0, .qty = 1, .rule = 1},
    });
    SaleTax il = ComputeSaleTax(store(), items, 1, 0);
    // State: 5 % of 10.00 and of 12.00. City: 0.10 + 6 % of 10.00 for the
    // first line, 0.25 + 0.10 + 6 % of 12.00 for the second.
    EXPECT_EQ(il.agencies, (std::vector<AgencyTax>{{"State", 110}, {"City", 177}, {"", 10}}));
    EXPECT_EQ(il.cents, 297) << "what is charged is what the agencies get";

    SaleTax ca = ComputeSaleTax(store(), items, 2, 0);
    EXPECT_EQ(ca.agencies, (std::vector<AgencyTax>{{"State", 110 + 80 + 96}, {"City", 177}, {"", 10}}));
    EXPECT_EQ(ca.cents, 297 + 176);
    EXPECT_EQ(GetAgencyName(db(), 9), "");
    EXPECT_EQ(GetAgencyName(db(), 2), "City");
}
