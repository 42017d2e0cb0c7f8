#include "db/RowWriter.h"
#include "sale/clsSaleItems.h"
#include "shipping/ShippingCalc.h"
#include "shipping/ShippingCharges.h"
#include "storegen/DemoStore.h"
#include "support/TempStore.h"

#include <gtest/gtest.h>

using namespace vanta;
using shipping::clsShippingCharges;

namespace {

// An empty store with one scheme of the given interval and `Max` rows, in
// the order given; the company charges by that scheme.
class SchemeStore {
public:
    SchemeStore(qint32 typeId, float interval, std::initializer_list<float> maxes, qint16 option)
    {
        db::Connection &conn = ts.db().connection();
        db::RowWriter types(conn, "ShippingTypes", {"ShippingTypeID", "ShippingType", "Format", "Interval"});
        types.add({typeId, "Scheme", "0", double(interval)});
        db::RowWriter charges(conn, "ShippingCharges", {"ShippingTypeID", "Max", "Regular", "TwoDay", "OneDay"});
        float charge = 1;
        for (float max : maxes) {
            charges.add({typeId, double(max), double(charge), double(charge + 10), double(charge + 20)});
            ++charge;
        }
        db::RowWriter company(conn, "Company", {"Name", "shipping option", "fixed shipping charge"});
        company.add({"Shop", option, 5.95});
    }
    db::Store &store() { return *ts.store; }
    test::TempStore ts;
};

std::shared_ptr<sale::clsSaleItem> line(qint32 item, float qty, float weight)
{
    auto l = std::make_shared<sale::clsSaleItem>();
    l->setGood(sale::Good::item(item));
    l->setQty(qty);
    l->setWeight(weight);
    return l;
}

std::vector<std::pair<float, float>> bounds(const shipping::clsShippingType &t)
{
    std::vector<std::pair<float, float>> out;
    for (const auto &r : t.ranges())
        out.emplace_back(r.Min, r.Max);
    return out;
}

} // namespace

TEST(ShippingCharges, RangesAreContiguousWithTheOpenRangeLastAndGapsChargeTheUpperRange)
{
    // The open-ended row is stored first: it still ends the scheme.
    SchemeStore s(1, 1.0f, {-1, 5, 10}, 4);
    const clsShippingCharges charges(s.store());
    ASSERT_EQ(charges.Count(), 1);
    const auto *scheme = charges.forOption(4);
    ASSERT_NE(scheme, nullptr);
    EXPECT_EQ(charges.Item(QStringLiteral("Scheme")), scheme);
    EXPECT_EQ(bounds(*scheme), (std::vector<std::pair<float, float>>{{0, 5}, {6, 10}, {11, -1}}));
    EXPECT_EQ(scheme->rangeFor(5)->Regular.cents(), 200);  // the row with Max 5
    EXPECT_EQ(scheme->rangeFor(5.5)->Regular.cents(), 300); // between 5 and 6: the next range, not nothing
    EXPECT_EQ(scheme->rangeFor(10)->Regular.cents(), 300);
    EXPECT_EQ(scheme->rangeFor(250)->Regular.cents(), 100); // the open-ended row
    EXPECT_EQ(charges.forOption(2), nullptr);           // no weight scheme in this store
    EXPECT_EQ(charges.forOption(1), nullptr);
}

TEST(ShippingCharges, PriceRangesInCentsAndASchemeWithoutOpenRow)
{
    SchemeStore s(2, 0.01f, {49.99f, 99.99f}, 3);
    const clsShippingCharges charges(s.store());
    const auto *scheme = charges.forOption(3);
    ASSERT_NE(scheme, nullptr);
    // No open-ended row: the last finite range is the top range.
    ASSERT_EQ(scheme->Count(), 2);
    EXPECT_FLOAT_EQ(scheme->Item(1).Max, -1);
    EXPECT_FLOAT_EQ(scheme->Item(1).Min, 50.0f);
    EXPECT_EQ(scheme->rangeFor(49.99)->Regular.cents(), 100);
    EXPECT_EQ(scheme->rangeFor(50.00)->Regular.cents(), 200);
    EXPECT_EQ(scheme->rangeFor(1000.00)->Regular.cents(), 200);

    const auto offer = shipping::CalculateShipping(s.store(), 3, 50.0);
    ASSERT_TRUE(offer);
    EXPECT_EQ(offer->title, "Shipping By Price");
    EXPECT_EQ(offer->charges, (std::array{sale::Money::fromCents(200), sale::Money::fromCents(1200), sale::Money::fromCents(2200)}));
}

TEST(ShippingCharges, SaleMeasuresAndTheCompanyOption)
{
    sale::clsSaleItems items;
    items.AddSaleItem(line(1, 5, 2));
    items.AddSaleItem(line(2, 5, 2));
    // Weight counts every unit: two lines of five 2-pound items weigh 20 pounds.
    EXPECT_DOUBLE_EQ(shipping::GetTotalWeight(items), 20.0);
    EXPECT_DOUBLE_EQ(shipping::GetItemCount(items), 10.0);

    test::TempStore demo;
    storegen::fillDemoStore(demo.db());
    // By weight: 20 pounds is the 5.1-20 range.
    const auto byWeight = shipping::OfferFor(*demo.store, items, {});
    ASSERT_TRUE(byWeight);
    EXPECT_EQ(byWeight->title, "Shipping By Weight");
    EXPECT_EQ(byWeight->charges, (std::array{sale::Money::fromCents(1295), sale::Money::fromCents(2495), sale::Money::fromCents(4495)}));

    demo.db().execute("UPDATE Company SET \"shipping option\" = 1");
    const auto fixed = shipping::OfferFor(*demo.store, items, {});
    ASSERT_TRUE(fixed);
    EXPECT_EQ(fixed->mode, shipping::ShippingOffer::Mode::Fixed);
    EXPECT_EQ(fixed->fixedText, "Fixed Shipping Rate = $5.95");

    demo.db().execute("DELETE FROM Company");
    EXPECT_FALSE(shipping::OfferFor(*demo.store, items, {})); // no company row: no shipping
}
