#include "storegen/DemoStore.h"

#include "diagnostics/VantaError.h"
#include "storegen/DemoStoreParts.h"

#include <random>

namespace vanta::storegen {

using namespace vanta::db;

using namespace seed;

namespace {

// Deterministic draws: the engine's raw output is fixed by the standard, and
// the reductions below are our own, so a seed gives the same store everywhere.
class Draw {
public:
    explicit Draw(quint32 seed) : mGen(seed) {}
    int below(int n) { return int(mGen() % quint32(n)); }
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    bool percent(int p) { return below(100) < p; }
    template <typename T, size_t N>
    const T &pick(const T (&list)[N]) { return list[below(int(N))]; }

private:
    std::mt19937 mGen;
};

double cents(int c) { return c / 100.0; }
double roundCents(double v) { return qRound(v * 100) / 100.0; }

// The i-th barcode of the seed: an affine map that is one-to-one on 11-digit
// numbers (the factor is prime to 10), so codes never repeat; then the UPC
// check digit.
QString barcodeFor(quint64 i, quint32 seed)
{
    constexpr quint64 kSpace = 100'000'000'000ULL;
    constexpr quint64 kFactor = 3'486'784'401ULL; // 3^20
    const quint64 offset = (quint64(seed) * 2'654'435'761ULL + 12'345'678'901ULL) % kSpace;
    const quint64 code = (offset + (i % kSpace) * kFactor) % kSpace;
    return upcWithCheckDigit(QStringLiteral("%1").arg(code, 11, 10, QLatin1Char('0')));
}

const char *const kTopCategories[] = {"Hardware", "Grocery", "Apparel", "Garden",
                                      "Electrical", "Plumbing", "Housewares", "Toys"};
const char *const kSubCategories[] = {"Basics", "Premium", "Seasonal", "Clearance",
                                      "Bulk", "Accessories", "Outdoor", "Gifts"};
const char *const kAdjectives[] = {"Heavy-Duty", "Compact", "Premium", "Classic", "Cordless", "Stainless",
                                   "Organic", "Deluxe", "Economy", "Pro", "Family Size", "Travel"};
const char *const kNouns[] = {"Hammer", "Wrench", "Pliers", "Tape Measure", "Flashlight", "Bucket", "Sponge",
                              "Batteries", "Rice", "Beans", "Pasta", "Socks", "Gloves", "Planter", "Trowel",
                              "Light Bulb", "Hook", "Shelf Bracket", "Coffee Mug", "Candle", "Faucet", "Puzzle"};
const char *const kBrands[] = {"Ridgeline", "Boltworks", "Clearcoat", "Prairie", "Voltline", "Greenline",
                               "Seedhouse", "Highland", "Stickfast", "Vanta"};
const char *const kSizes[] = {"S", "M", "L", "XL"};
const char *const kColours[] = {"Black", "White", "Red", "Navy", "Green", "Grey"};
const char *const kFirstNames[] = {"James", "Mary", "Robert", "Patricia", "John", "Jennifer", "Michael", "Linda",
                                   "David", "Elizabeth", "William", "Barbara", "Richard", "Susan", "Joseph",
                                   "Jessica", "Thomas", "Sarah", "Carlos", "Karen", "Daniel", "Lisa", "Matthew",
                                   "Nancy", "Anthony", "Betty", "Mark", "Sandra", "Wei", "Ashley", "Steven",
                                   "Kimberly", "Andrew", "Emily", "Kenji", "Donna", "Joshua", "Michelle"};
const char *const kLastNames[] = {"Smith", "Johnson", "Williams", "Brown", "Jones", "Garcia", "Miller", "Davis",
                                  "Rodriguez", "Martinez", "Hernandez", "Lopez", "Gonzalez", "Wilson", "Anderson",
                                  "Thomas", "Taylor", "Moore", "Jackson", "Martin", "Lee", "Perez", "Thompson",
                                  "White", "Harris", "Sanchez", "Clark", "Ramirez", "Lewis", "Robinson", "Walker",
                                  "Young", "Allen", "King", "Wright", "Scott", "Nguyen", "Hill", "Flores"};
const char *const kBusinessSuffixes[] = {"Builders", "Farms", "Cafe", "Landscaping", "Plumbing", "Realty",
                                         "Auto Repair", "Bakery"};
const char *const kStreets[] = {"Main Street", "Oak Avenue", "Maple Drive", "Washington Street", "Lincoln Avenue",
                                "Park Road", "Cedar Lane", "Elm Street", "Lake Shore Drive", "Church Street"};
const char *const kTerms[] = {"Due on receipt", "Net 10", "Net 30", "2% 10 Net 30"};

struct Place {
    const char *city, *county, *state, *zip, *area, *fips;
};
// Weighted towards the store's own county, so that every tax type applies to
// many customers and none to some.
const Place kPlaces[] = {
    {"Springfield", "Sangamon", "IL", "62701", "217", "17167"},
    {"Springfield", "Sangamon", "IL", "62704", "217", "17167"},
    {"Chatham", "Sangamon", "IL", "62629", "217", "17167"},
    {"Rochester", "Sangamon", "IL", "62563", "217", "17167"},
    {"Sherman", "Sangamon", "IL", "62684", "217", "17167"},
    {"Decatur", "Macon", "IL", "62521", "217", "17115"},
    {"Jacksonville", "Morgan", "IL", "62650", "217", "17137"},
    {"Peoria", "Peoria", "IL", "61602", "309", "17143"},
    {"Chicago", "Cook", "IL", "60622", "312", "17031"},
    {"Naperville", "DuPage", "IL", "60540", "630", "17043"},
    {"Champaign", "Champaign", "IL", "61820", "217", "17019"},
    {"St. Louis", "St. Louis City", "MO", "63123", "314", "29510"},
    {"Indianapolis", "Marion", "IN", "46204", "317", "18097"},
    {"Davenport", "Scott", "IA", "52801", "563", "19163"},
};

// Three levels: 8 departments, 8 sections each, 7 shelves in each section
// (520 categories); items sit on the shelves.
void writeCategories(CatalogueWriter &w, QList<qint32> &leaves, QList<QString> &accountOfLeaf)
{
    qint32 id = 0;
    for (const char *top : kTopCategories) {
        const qint32 topId = ++id;
        const QString topName = QString::fromUtf8(top);
        w.addCategory(topId, -1, topName);
        for (const char *sub : kSubCategories) {
            const qint32 subId = ++id;
            const QString subName = topName + QStringLiteral(" - ") + QString::fromUtf8(sub);
            w.addCategory(subId, topId, subName);
            for (int shelf = 1; shelf <= 7; ++shelf) {
                w.addCategory(++id, subId, subName + QStringLiteral(" - Shelf %1").arg(shelf));
                leaves << id;
                accountOfLeaf << QStringLiteral("Sales:") + topName;
            }
        }
    }
}

void writeItems(Connection &conn, int count, quint32 seedValue, Draw &draw)
{
    CatalogueWriter w(conn);
    QList<qint32> leaves;
    QList<QString> accounts;
    writeCategories(w, leaves, accounts);

    qint32 nextVariant = count + 1; // variant numbers never equal an item number
    qint32 nextAttribute = 0;
    qint32 nextValue = 0;
    for (qint32 index = 1; index <= count; ++index) {
        const int leaf = draw.below(int(leaves.size()));
        const bool grocery = accounts[leaf] == QLatin1String("Sales:Grocery");
        const bool withLevels = index % 10 == 3;
        const bool byWeight = index % 20 == 3;
        const bool withVariants = index % 20 == 5; // 5 % of the items

        ItemRow item;
        item.index = index;
        const QString brand = QString::fromUtf8(draw.pick(kBrands));
        // One draw per statement: C++ leaves the order of function arguments open.
        const QString adjective = QString::fromUtf8(draw.pick(kAdjectives));
        const QString noun = QString::fromUtf8(draw.pick(kNouns));
        item.name = QStringLiteral("%1 %2 %3").arg(adjective, noun, QString::number(index));
        item.descShort = QStringLiteral("%1 model %2-%3").arg(brand, brand.left(2).toUpper()).arg(draw.between(100, 9999));
        item.descLong = QStringLiteral("Stocked in aisle %1, bay %2.").arg(draw.between(1, 24)).arg(draw.between(1, 12));
        item.labels = {brand};
        item.barcode = barcodeFor(quint64(index), seedValue);
        item.accountingName = accounts[leaf];
        item.category = leaves[leaf];
        item.hidden = draw.percent(2);
        item.qty = draw.percent(5) ? 0 : draw.between(1, 500);
        item.totalSold = draw.between(0, 2000);
        item.price = draw.percent(70) ? cents(draw.between(49, 2999)) : cents(draw.between(3000, 19999));
        item.cost = roundCents(item.price * draw.between(40, 70) / 100.0);
        item.bulk = withLevels || index % 100 == 7;
        if (byWeight) {
            item.formatId = FormatTenths;
            item.uomId = UomPound;
        }
        item.weight = draw.between(1, 200) / 10.0;
        item.taxable = !draw.percent(8);
        item.taxRule = !item.taxable ? RuleNone : grocery ? (draw.percent(25) ? RuleBeverage : RuleGrocery)
                                                          : RuleGeneral;

        if (withVariants) {
            item.quantityTrack = index % 40 == 5; // half of them stock per variant
            const qint32 sizeAttr = ++nextAttribute, colourAttr = ++nextAttribute;
            w.addAttribute(sizeAttr, index, QStringLiteral("Size"));
            w.addAttribute(colourAttr, index, QStringLiteral("Color"));
            qint32 sizes[4], colours[3];
            double sizeCharge[4], colourCharge[3];
            for (int s = 0; s < 4; ++s) {
                sizes[s] = ++nextValue;
                sizeCharge[s] = s == 3 ? 2.0 : 0.0;
                w.addValue(sizes[s], sizeAttr, QString::fromUtf8(kSizes[s]), sizeCharge[s], s == 3 ? 0.75 : 0.0);
            }
            const int firstColour = draw.below(4);
            for (int c = 0; c < 3; ++c) {
                colours[c] = ++nextValue;
                colourCharge[c] = c == 2 ? cents(draw.between(-150, 150)) : 0.0;
                w.addValue(colours[c], colourAttr, QString::fromUtf8(kColours[firstColour + c]), colourCharge[c], 0.0);
            }
            double stock = 0;
            for (int s = 0; s < 4; ++s)
                for (int c = 0; c < 3; ++c) {
                    const double q = draw.percent(10) ? 0 : draw.between(1, 40);
                    stock += q;
                    w.addVariant(nextVariant++, index, sizes[s], colours[c], 0, q,
                                 item.price + sizeCharge[s] + colourCharge[c], item.taxable);
                }
            if (item.quantityTrack)
                item.qty = stock;
        }
        w.addItem(item);

        if (withLevels) {
            const double p = item.price;
            const double maxes[] = {byWeight ? 4.9 : 9.0, byWeight ? 19.9 : 49.0, -1.0};
            const double factors[] = {1.0, 0.9, 0.8};
            for (int l = 0; l < 3; ++l)
                w.addLevel(index, maxes[l], roundCents(p * factors[l]));
        }
    }
}

void writeCustomers(Connection &conn, int count, Draw &draw)
{
    CustomerWriter w(conn);
    for (qint32 id = 2; id <= count; ++id) {
        const Place &place = draw.pick(kPlaces);
        const QString first = QString::fromUtf8(draw.pick(kFirstNames));
        const QString last = QString::fromUtf8(draw.pick(kLastNames));
        const bool business = draw.percent(20);

        CustomerRow c;
        c.id = id;
        c.name = business ? last + QLatin1Char(' ') + QString::fromUtf8(draw.pick(kBusinessSuffixes))
                          : first + QLatin1Char(' ') + last;
        if (business)
            c.company = c.name;
        c.address = QStringLiteral("%1 %2").arg(draw.between(1, 9999)).arg(QString::fromUtf8(draw.pick(kStreets)));
        c.city = QString::fromUtf8(place.city);
        c.county = QString::fromUtf8(place.county);
        c.state = QString::fromUtf8(place.state);
        c.zip = QString::fromUtf8(place.zip);
        c.phone = QStringLiteral("(%1) %2-%3")
                      .arg(QString::fromUtf8(place.area))
                      .arg(draw.between(200, 999))
                      .arg(draw.between(0, 9999), 4, 10, QLatin1Char('0'));
        c.email = QStringLiteral("%1.%2%3@example.com").arg(first.toLower(), last.toLower()).arg(id);
        c.fips = QString::fromUtf8(place.fips);
        c.userCode = QStringLiteral("ZONE %1").arg(QChar(u'A' + draw.below(4)));
        c.inactive = draw.percent(3);
        c.taxable = !draw.percent(8);
        if (draw.percent(10)) {
            const int limits[] = {500, 1000, 2500, 5000};
            const int limit = draw.pick(limits);
            c.creditLimit = double(limit);
            c.balance = cents(draw.between(0, limit * 50));
            c.terms = QString::fromUtf8(draw.pick(kTerms));
        } else {
            c.creditLimit = 0.0;
            c.balance = 0.0;
            c.terms = QStringLiteral("Due on receipt");
        }
        w.add(c);
    }
}

} // namespace

void fillLargeStore(const Database &db, int items, int customers, quint32 seedValue)
{
    if (items < 1 || items > LargeStoreMaxRows || customers < 1 || customers > LargeStoreMaxRows)
        throw VantaError(3001,
                         QStringLiteral("A large store needs 1 to %1 items and 1 to %1 customers.").arg(LargeStoreMaxRows),
                         QStringLiteral("vanta-admin"));
    Connection &conn = db.connection();
    Transaction tx(conn);
    requireEmptyStore(conn);
    writeSharedMasterData(conn); // customer 1 is CASH SALE
    Draw draw(seedValue);
    writeItems(conn, items, seedValue, draw);
    writeCustomers(conn, customers, draw);
    tx.commit();
}

} // namespace vanta::storegen
