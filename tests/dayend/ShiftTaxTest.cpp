// A shift's tax by jurisdiction: what the register posted, sales posted
// before jurisdictions were recorded, and a store without the table.
#include "register/ActionsFixture.h"

#include "dayend/RegisterName.h"
#include "dayend/ShiftBook.h"
#include "support/SaleFixtures.h"

using namespace vanta;
using namespace vanta::dayend;
namespace demo = storegen::demo;

namespace {

class ShiftTax : public test::ActionsTest {
protected:
    ShiftTax()
    {
        start();
        prompt.answerInput("0");
        actions->openShift();
    }
    ShiftFigures figures()
    {
        return readShiftFigures(session.store(), *ShiftBook(session.store(), registerName(settings)).current());
    }
    void sellHammer()
    {
        actions->addGood(sale::Good::item(demo::PlainItem));
        actions->choosePayType(payType("Cash"));
        actions->tenderTotal();
        actions->process();
        ASSERT_TRUE(session.sale.empty()) << prompt.texts().join('\n').toStdString();
    }
    static std::vector<Tally> withoutCounts(std::vector<Tally> tallies)
    {
        for (Tally &t : tallies)
            t.count = 0;
        return tallies;
    }
};

} // namespace

TEST_F(ShiftTax, ByJurisdictionAgreesWithTheAgencies)
{
    sellHammer();
    const ShiftFigures sold = figures();
    ASSERT_EQ(sold.taxByAgency.size(), 3u);
    std::vector<Tally> expected;
    for (const Tally &a : sold.taxByAgency)
        expected.push_back({a.name + (a.name.startsWith("City") ? ", Springfield"
                                      : a.name.startsWith("Illinois") ? ", IL"
                                                                      : ", Sangamon"),
                            a.count, a.cents});
    EXPECT_EQ(sold.taxByJurisdiction, expected);

    // A sale posted before jurisdictions were recorded: its tax shows under
    // the agency alone.
    const qint32 shiftId = ShiftBook(session.store(), registerName(settings)).current()->id;
    test::insertRow(ts.db(), "Shift Sales", {"sales id", "Shift ID"}, {99999, shiftId});
    test::insertRow(ts.db(), "Tax Holder", {"Sale ID", "Tax agency", "total"},
                    {99999, "Illinois Department of Revenue", 1.25});
    const ShiftFigures older = figures();
    const auto found = std::find(older.taxByJurisdiction.begin(), older.taxByJurisdiction.end(),
                                 Tally{"Illinois Department of Revenue", 0, 125});
    EXPECT_NE(found, older.taxByJurisdiction.end());
    EXPECT_EQ(older.taxByJurisdiction.size(), 4u);

    // A store without the table still takes sales; the report lists the
    // agencies only.
    ts.db().execute("DROP TABLE \"Tax Jurisdictions\"");
    session.store().database().connection().forgetSchema();
    sellHammer();
    const ShiftFigures without = figures();
    EXPECT_TRUE(without.taxByJurisdiction.empty());
    EXPECT_EQ(without.taxByAgency[0].cents, 2 * sold.taxByAgency[0].cents);
}
