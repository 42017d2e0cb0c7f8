#include "storegen/DemoStore.h"

#include "storegen/DemoPictures.h"
#include "storegen/DemoStoreParts.h"

namespace vanta::storegen {

using namespace vanta::db;

using namespace seed;

namespace {

enum Category : qint32 {
    Hardware = 1, Fasteners, HandTools, Paint, Electrical,
    Grocery, Beverages, BulkFoods, Snacks,
    Apparel, Shirts, HatsGloves,
    Garden, Seeds, Watering,
    GiftCards,
    Hammers, Screwdrivers, WorkGloves // a third level
};

void writeCategories(CatalogueWriter &w)
{
    const struct { qint32 id, parent; const char *name; } rows[] = {
        {Hardware, -1, "Hardware"}, {Fasteners, Hardware, "Fasteners"}, {HandTools, Hardware, "Hand Tools"},
        {Paint, Hardware, "Paint & Supplies"}, {Electrical, Hardware, "Electrical"},
        {Grocery, -1, "Grocery"}, {Beverages, Grocery, "Beverages"}, {BulkFoods, Grocery, "Bulk Foods"},
        {Snacks, Grocery, "Snacks"},
        {Apparel, -1, "Apparel"}, {Shirts, Apparel, "Shirts"}, {HatsGloves, Apparel, "Hats & Gloves"},
        {Garden, -1, "Garden"}, {Seeds, Garden, "Seeds"}, {Watering, Garden, "Watering"},
        {GiftCards, -1, "Gift Cards"},
        {Hammers, HandTools, "Hammers"}, {Screwdrivers, HandTools, "Screwdrivers"},
        {WorkGloves, HatsGloves, "Work Gloves"},
    };
    for (const auto &r : rows)
        w.addCategory(r.id, r.parent, QString::fromUtf8(r.name));
}

void writeCustomers(Connection &conn)
{
    CustomerWriter w(conn);
    auto customer = [](qint32 id, const char *name, const char *address, const char *city, const char *county,
                       const char *state, const char *zip, const char *phone) {
        CustomerRow c;
        c.id = id;
        c.name = QString::fromUtf8(name);
        c.address = QString::fromUtf8(address);
        c.city = QString::fromUtf8(city);
        c.county = QString::fromUtf8(county);
        c.state = QString::fromUtf8(state);
        c.zip = QString::fromUtf8(zip);
        c.phone = QString::fromUtf8(phone);
        c.terms = QStringLiteral("Due on receipt");
        c.creditLimit = 0.0;
        c.balance = 0.0;
        return c;
    };

    CustomerRow c = customer(demo::CreditCustomer, "Adams Hardware Supply", "2250 Dirksen Parkway", "Springfield",
                             "Sangamon", "IL", "62703", "(217) 555-0187");
    c.company = QStringLiteral("Adams Hardware Supply Co.");
    c.email = QStringLiteral("ap@adamshardware.example");
    c.fips = QStringLiteral("17167");
    c.userCode = QStringLiteral("ZONE B");
    c.resaleNumber = QStringLiteral("IL-RS-448120");
    c.terms = QStringLiteral("Net 30");
    c.creditLimit = 5000.0;
    c.balance = 1250.40;
    w.add(c);

    c = customer(3, "Maria Lopez", "1418 W Division St", "Chicago", "Cook", "IL", "60622", "(312) 555-0164");
    c.email = QStringLiteral("maria.lopez@example.com");
    c.fips = QStringLiteral("17031");
    w.add(c);

    c = customer(demo::ExemptCustomer, "Greenfield School District 12", "400 Oak Ridge Road", "Rochester",
                 "Sangamon", "IL", "62563", "(217) 555-0119");
    c.company = QStringLiteral("Greenfield School District 12");
    c.fips = QStringLiteral("17167");
    c.userCode = QStringLiteral("ZONE C");
    c.resaleNumber = QStringLiteral("EX-1187-0042");
    c.notes = QStringLiteral("Tax exempt: certificate on file");
    c.terms = QStringLiteral("Net 30");
    c.taxable = false;
    c.creditLimit = 2500.0;
    w.add(c);

    c = customer(demo::OutOfStateCustomer, "Tom Becker", "8812 Gravois Ave", "St. Louis", "St. Louis City", "MO",
                 "63123", "(314) 555-0131");
    c.fips = QStringLiteral("29510");
    w.add(c);

    c = customer(demo::InactiveCustomer, "Old Mill Cafe", "75 Mill Street", "Springfield", "Sangamon", "IL",
                 "62702", "(217) 555-0150");
    c.company = QStringLiteral("Old Mill Cafe LLC");
    c.fips = QStringLiteral("17167");
    c.notes = QStringLiteral("Closed; account kept for the records");
    c.inactive = true;
    w.add(c);

    c = customer(7, "Nguyen Family Farm", "16020 Farm Road 4", "Chatham", "Sangamon", "IL", "62629",
                 "(217) 555-0176");
    c.company = QStringLiteral("Nguyen Family Farm");
    c.email = QStringLiteral("orders@nguyenfarm.example");
    c.fips = QStringLiteral("17167");
    c.userCode = QStringLiteral("ZONE C");
    c.terms = QStringLiteral("Net 10");
    c.creditLimit = 1500.0;
    w.add(c);

    // No county or FIPS code on file: in no county jurisdiction.
    c = customer(8, "Riverside Church", "301 Riverside Drive", "Springfield", "", "IL", "62704", "(217) 555-0193");
    w.add(c);
}

void writeItems(CatalogueWriter &w)
{
    const QString hw = QStringLiteral("Sales:Hardware");
    const QString gr = QStringLiteral("Sales:Grocery");
    const QString ap = QStringLiteral("Sales:Apparel");
    const QString ga = QStringLiteral("Sales:Garden");

    const ItemRow items[] = {
        {.index = demo::PlainItem, .name = "Claw Hammer 16 oz", .descShort = "16 oz fiberglass claw hammer",
         .descLong = "Fiberglass handle with a no-slip grip and a forged steel head.",
         .labels = {"Ridgeline", "hammer"}, .barcode = upcWithCheckDigit("07325612001"), .accountingName = hw,
         .category = Hammers, .qty = 14, .totalSold = 37, .price = 12.99, .cost = 6.50, .weight = 1.5},
        {.index = 1002, .name = "Phillips Screwdriver #2", .descShort = "#2 Phillips, 4 in. shaft",
         .descLong = "Magnetic tip, cushioned handle.", .labels = {"Ridgeline", "screwdriver"},
         .barcode = upcWithCheckDigit("07325612002"), .accountingName = hw, .category = Screwdrivers, .qty = 30,
         .totalSold = 52, .price = 5.49, .cost = 2.10, .weight = 0.3},
        {.index = demo::OutOfStockItem, .name = "Adjustable Wrench 8 in.", .descShort = "8 in. chrome wrench",
         .descLong = "Wide jaw capacity, laser-etched scale.", .labels = {"Ridgeline", "wrench"},
         .barcode = upcWithCheckDigit("07325612003"), .accountingName = hw, .category = HandTools, .qty = 0,
         .totalSold = 19, .price = 14.99, .cost = 7.20, .weight = 0.8},
        {.index = demo::BulkItem, .name = "Wood Screws #8 x 1-1/4 in.", .descShort = "Box of 100, coarse thread",
         .descLong = "Zinc-plated flat-head wood screws, box of 100.", .labels = {"Boltworks", "screws"},
         .barcode = upcWithCheckDigit("04410500811"), .accountingName = hw, .category = Fasteners, .qty = 240,
         .totalSold = 410, .price = 5.00, .cost = 2.20, .bulk = true, .weight = 0.5},
        {.index = 1005, .name = "Hex Bolts 3/8 x 2 in.", .descShort = "Grade 5, zinc plated",
         .descLong = "Sold singly; price breaks from 25 and 100 bolts.", .labels = {"Boltworks", "bolts"},
         .barcode = upcWithCheckDigit("04410503820"), .accountingName = hw, .category = Fasteners, .qty = 1200,
         .totalSold = 3100, .price = 0.45, .cost = 0.15, .bulk = true, .weight = 0.1},
        {.index = demo::BulkByWeightItem, .name = "Finishing Nails 4d", .descShort = "Bright finish, by the pound",
         .descLong = "Weighed at the counter in tenths of a pound.", .labels = {"Boltworks", "nails"},
         .barcode = upcWithCheckDigit("04410500404"), .accountingName = hw, .category = Fasteners, .qty = 85.5,
         .totalSold = 120.3, .price = 3.49, .cost = 1.40, .bulk = true, .formatId = FormatTenths,
         .uomId = UomPound, .weight = 1.0},
        {.index = 1007, .name = "Interior Latex Paint, Eggshell White", .descShort = "One gallon, eggshell",
         .descLong = "Low-odour interior paint, covers about 400 sq ft.", .labels = {"Clearcoat", "paint"},
         .barcode = upcWithCheckDigit("06011200128"), .accountingName = hw, .category = Paint, .qty = 18,
         .totalSold = 44, .price = 29.99, .cost = 14.00, .uomId = UomGallon, .weight = 11.0},
        {.index = 1008, .name = "Angled Paint Brush 2 in.", .descShort = "Polyester bristles",
         .descLong = "For trim and corners; all paints.", .labels = {"Clearcoat", "brush"},
         .barcode = upcWithCheckDigit("06011200210"), .accountingName = hw, .category = Paint, .qty = 25,
         .totalSold = 61, .price = 7.99, .cost = 3.00, .weight = 0.2},
        {.index = 1009, .name = "Duct Tape 1.88 in. x 60 yd", .descShort = "Silver, all-weather",
         .descLong = "Strong adhesive cloth tape.", .labels = {"Stickfast", "tape"},
         .barcode = upcWithCheckDigit("05100033060"), .accountingName = hw, .category = Paint, .qty = 40,
         .totalSold = 88, .price = 8.49, .cost = 3.60, .weight = 0.7},
        {.index = 1010, .name = "Cola 12 oz Can", .descShort = "Single can", .descLong = "Chilled at the counter.",
         .labels = {"Fizzco", "soda", "drink"}, .barcode = upcWithCheckDigit("04900000044"),
         .accountingName = gr, .category = Beverages, .qty = 144, .totalSold = 960, .price = 1.25, .cost = 0.40,
         .weight = 0.8, .taxRule = RuleBeverage},
        {.index = 1011, .name = "Spring Water 1 Gallon", .descShort = "Natural spring water",
         .descLong = "Gallon jug.", .labels = {"Clearbrook", "water", "drink"},
         .barcode = upcWithCheckDigit("07910020101"), .accountingName = gr, .category = Beverages, .qty = 36,
         .totalSold = 210, .price = 1.99, .cost = 0.60, .uomId = UomGallon, .weight = 8.3,
         .taxRule = RuleBeverage},
        {.index = demo::BulkWithoutLevels, .name = "Colombian Coffee Beans", .descShort = "Whole bean, by the pound",
         .descLong = "Medium roast; ground on request.", .labels = {"Highland", "coffee"},
         .barcode = upcWithCheckDigit("08501400012"), .accountingName = gr, .category = BulkFoods, .qty = 40,
         .totalSold = 95.5, .price = 11.99, .cost = 6.00, .bulk = true, .formatId = FormatHalves,
         .uomId = UomPound, .weight = 1.0, .taxRule = RuleGrocery},
        {.index = 1013, .name = "Rolled Oats", .descShort = "Old-fashioned, by the pound",
         .descLong = "Bulk bin; sold in half pounds.", .labels = {"Prairie", "oats", "cereal"},
         .barcode = upcWithCheckDigit("08501400025"), .accountingName = gr, .category = BulkFoods, .qty = 150,
         .totalSold = 340, .price = 1.99, .cost = 0.70, .bulk = true, .formatId = FormatHalves,
         .uomId = UomPound, .weight = 1.0, .taxRule = RuleGrocery},
        {.index = 1014, .name = "Trail Mix 12 oz", .descShort = "Nuts, raisins and chocolate",
         .descLong = "Resealable bag.", .labels = {"Prairie", "snack"},
         .barcode = upcWithCheckDigit("08501400331"), .accountingName = gr, .category = Snacks, .qty = 22,
         .totalSold = 73, .price = 4.79, .cost = 2.10, .weight = 0.8, .taxRule = RuleGrocery},
        {.index = demo::HiddenItem, .name = "Sour Cream Potato Chips", .descShort = "Discontinued flavour",
         .descLong = "No longer carried.", .labels = {"Crunchy", "chips"},
         .barcode = upcWithCheckDigit("02840000933"), .accountingName = gr, .category = Snacks, .hidden = true,
         .qty = 0, .totalSold = 158, .price = 3.49, .cost = 1.20, .weight = 0.5, .taxRule = RuleGrocery},
        {.index = demo::TrackedVariantItem, .name = "Store Logo T-Shirt", .descShort = "Cotton crew neck",
         .descLong = "Vanta Corner Store logo on the chest; sizes S to XL.", .labels = {"Vanta", "shirt"},
         .barcode = upcWithCheckDigit("08888800016"), .accountingName = ap, .category = Shirts, .qty = 55,
         .totalSold = 40, .quantityTrack = true, .price = 14.99, .cost = 5.50, .weight = 0.4},
        {.index = demo::UntrackedVariantItem, .name = "Baseball Cap", .descShort = "Adjustable strap",
         .descLong = "Structured cap; embroidery on request.", .labels = {"Vanta", "cap", "hat"},
         .barcode = upcWithCheckDigit("08888800017"), .accountingName = ap, .category = HatsGloves, .qty = 20,
         .totalSold = 12, .price = 12.49, .cost = 4.00, .weight = 0.3},
        {.index = 1018, .name = "Leather Work Gloves", .descShort = "Cowhide, lined",
         .descLong = "Keystone thumb; sizes Small to Large.", .labels = {"Ridgeline", "gloves"},
         .barcode = "VCSGLOVE01", .accountingName = ap, .category = WorkGloves, .qty = 20, .totalSold = 33,
         .quantityTrack = true, .price = 19.99, .cost = 8.00, .weight = 0.5},
        {.index = 1019, .name = "Heirloom Tomato Seeds", .descShort = "Brandywine, 50 seeds",
         .descLong = "Seeds for food plants are not taxed.", .labels = {"Seedhouse", "tomato", "seeds"},
         .barcode = upcWithCheckDigit("07102300150"), .accountingName = ga, .category = Seeds, .qty = 0,
         .totalSold = 48, .price = 2.49, .cost = 0.60, .weight = 0.1, .taxable = false, .taxRule = RuleNone},
        {.index = 1020, .name = "Garden Hose 5/8 in. x 50 ft", .descShort = "Kink-resistant vinyl",
         .descLong = "Brass fittings.", .labels = {"Greenline", "hose"},
         .barcode = upcWithCheckDigit("07102305050"), .accountingName = ga, .category = Watering, .qty = 7,
         .totalSold = 15, .price = 34.99, .cost = 16.00, .uomId = UomCustom, .customUom = "50 ft coil",
         .weight = 6.5},
        {.index = demo::NonTaxableItem, .name = "Gift Card $25", .descShort = "Store gift card",
         .descLong = "Activated at the register; no expiry.", .labels = {"Vanta", "gift"},
         .barcode = "GIFTCARD25", .accountingName = "Gift Card Liability", .category = GiftCards, .qty = 500,
         .totalSold = 64, .price = 25.00, .cost = 0.35, .weight = 0.0, .taxable = false, .taxRule = RuleNone},
        {.index = 1022, .name = "Extension Cord 25 ft", .descShort = "16 gauge, indoor/outdoor",
         .descLong = "Held back pending a supplier recall.", .labels = {"Voltline", "cord"},
         .barcode = upcWithCheckDigit("03210002516"), .accountingName = hw, .category = Electrical,
         .hidden = true, .qty = 9, .totalSold = 21, .price = 17.99, .cost = 7.50, .weight = 2.0},
        {.index = 1023, .name = "LED Light Bulbs, 4-pack", .descShort = "60 W equivalent, soft white",
         .descLong = "800 lumens, 15,000 hour life.", .labels = {"Voltline", "bulb", "light"},
         .barcode = upcWithCheckDigit("03210006004"), .accountingName = hw, .category = Electrical, .qty = 16,
         .totalSold = 77, .price = 9.99, .cost = 4.20, .uomId = UomPack, .weight = 0.6},
        {.index = 1024, .name = "Manila Rope 1/2 in.", .descShort = "Natural fibre, by the foot",
         .descLong = "Cut to length; price breaks from 50 and 200 feet.", .labels = {"Boltworks", "rope"},
         .barcode = upcWithCheckDigit("04410512000"), .accountingName = hw, .category = HandTools, .qty = 600,
         .totalSold = 1450, .price = 0.45, .cost = 0.12, .bulk = true, .uomId = UomFoot, .weight = 0.1},
    };
    for (const ItemRow &i : items)
        w.addItem(i);

    // Ascending upper bounds, the open top level last.
    const struct { qint32 item; double max, price; } levels[] = {
        {demo::BulkItem, 9, 5.00}, {demo::BulkItem, 49, 4.50}, {demo::BulkItem, -1, 4.00},
        {1005, 24, 0.45}, {1005, 99, 0.39}, {1005, -1, 0.33},
        {demo::BulkByWeightItem, 4.9, 3.49}, {demo::BulkByWeightItem, 19.9, 2.99},
        {demo::BulkByWeightItem, -1, 2.49},
        {1013, 2, 1.99}, {1013, 10, 1.79}, {1013, -1, 1.59},
        {1024, 49, 0.45}, {1024, 199, 0.39}, {1024, -1, 0.33},
    };
    for (const auto &l : levels)
        w.addLevel(l.item, l.max, l.price);
}

void writeOptions(CatalogueWriter &w)
{
    // T-shirt: size x colour, every combination stocked on its own.
    const qint32 shirt = demo::TrackedVariantItem;
    w.addAttribute(1, shirt, QStringLiteral("Size"));
    w.addAttribute(2, shirt, QStringLiteral("Color"));
    const struct { qint32 id, attribute; const char *value; double charge, cost; } values[] = {
        {11, 1, "S", 0, 0}, {12, 1, "M", 0, 0}, {13, 1, "L", 0, 0}, {14, 1, "XL", 2.00, 0.75},
        {21, 2, "Black", 0, 0}, {22, 2, "White", 0, 0}, {23, 2, "Heather Red", 1.00, 0.40},
        // Cap colours; the clearance colour takes money off.
        {31, 3, "Navy", 0, 0}, {32, 3, "Khaki", 0, 0}, {33, 3, "Blaze Orange", -1.50, 0},
        // Glove sizes.
        {51, 5, "Small", 0, 0}, {52, 5, "Medium", 0, 0}, {53, 5, "Large", 0.50, 0.20},
    };
    for (const auto &v : values)
        w.addValue(v.id, v.attribute, QString::fromUtf8(v.value), v.charge, v.cost);
    auto charge = [&](qint32 id) {
        for (const auto &v : values)
            if (v.id == id)
                return v.charge;
        return 0.0;
    };

    const double shirtStock[4][3] = {{6, 4, 2}, {10, 8, 3}, {9, 7, 0}, {3, 2, 1}};
    qint32 variant = demo::FirstVariant;
    for (int s = 0; s < 4; ++s)
        for (int c = 0; c < 3; ++c) {
            const qint32 size = 11 + s, colour = 21 + c;
            w.addVariant(variant++, shirt, size, colour, 0, shirtStock[s][c], 14.99 + charge(size) + charge(colour),
                         true);
        }

    // Cap: colour only; the embroidery option has no values yet. Stock is kept on the item.
    const qint32 cap = demo::UntrackedVariantItem;
    w.addAttribute(3, cap, QStringLiteral("Color"));
    w.addAttribute(4, cap, QStringLiteral("Embroidery"));
    const double capStock[] = {8, 7, 5};
    for (int c = 0; c < 3; ++c)
        w.addVariant(5101 + c, cap, 31 + c, 0, 0, capStock[c], 12.49 + charge(31 + c), true);

    // Gloves: size, stocked per size; Large is sold out.
    const qint32 gloves = 1018;
    w.addAttribute(5, gloves, QStringLiteral("Size"));
    const double gloveStock[] = {8, 12, 0};
    for (int s = 0; s < 3; ++s)
        w.addVariant(5201 + s, gloves, 51 + s, 0, 0, gloveStock[s], 19.99 + charge(51 + s), true);
}

} // namespace

void fillDemoStore(const Database &db)
{
    Connection &conn = db.connection();
    Transaction tx(conn);
    requireEmptyStore(conn);
    writeSharedMasterData(conn);
    writeCustomers(conn);
    {
        CatalogueWriter catalogue(conn);
        writeCategories(catalogue);
        writeItems(catalogue);
        writeOptions(catalogue);
    }
    writeDemoPictureRows(db);
    tx.commit();
}

} // namespace vanta::storegen
