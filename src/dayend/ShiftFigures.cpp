#include "dayend/ShiftFigures.h"

#include "dayend/CashMovement.h"
#include "dayend/Tallies.h"
#include "db/EmployeeName.h"
#include "db/Store.h"
#include "platform/Currency.h"
#include "sale/Money.h"
#include "sale/Sale.h"

#include <QJsonArray>
#include <QMap>
#include <algorithm>

namespace vanta::dayend {

namespace {

constexpr int kTopItems = 10;
constexpr qint16 kInvoiceSale = 3;

void readSales(db::Store &store, qint32 shiftId, ShiftFigures &f)
{
    db::Recordset rs = store.database().openQuery(
        QStringLiteral("SELECT s.TypeID, s.\"total of sale\", s.Shipping, s.\"amount tendered\", s.\"Change\", "
                       "p.paytype, s.\"sold by\" FROM \"Shift Sales\" ss "
                       "JOIN Sales s ON s.\"Sales ID\" = ss.\"sales id\" "
                       "LEFT JOIN PayTypes p ON p.id = s.paytype WHERE ss.\"Shift ID\" = ?"),
        {shiftId});
    Tallies payTypes;
    QMap<qint32, Tally> cashiers;
    for (; !rs.eof(); rs.moveNext()) {
        const qint64 total = centsOf(rs.field(1));
        const QString payType = rs.field(5).toString();
        ++f.salesCount;
        f.shipping += centsOf(rs.field(2));
        if (db::asLong(rs.field(0)) == kInvoiceSale) {
            ++f.invoices.count;
            f.invoices.cents += total;
        }
        payTypes.add(payType, total);
        Tally &cashier = cashiers[db::asLong(rs.field(6))];
        ++cashier.count;
        cashier.cents += total;
        if (sale::PayType::kindOfName(payType) == sale::PayKind::Cash) {
            const qint64 cash = centsOf(rs.field(3)) - centsOf(rs.field(4));
            (cash >= 0 ? f.cashSales : f.cashRefunds) += std::abs(cash);
        }
    }
    rs.close();
    f.byPayType = payTypes.list();
    Tallies byName;
    for (auto it = cashiers.cbegin(); it != cashiers.cend(); ++it)
        byName.add(db::GetUserName(store, it.key()), it->cents, it->count);
    f.byCashier = byName.list();
}

void readLines(db::Store &store, qint32 shiftId, ShiftFigures &f)
{
    db::Recordset rs = store.database().openQuery(
        QStringLiteral("SELECT si.\"sold price\", si.\"qty sold\", lp.subtotal, si.\"Item Index\", i.Name "
                       "FROM \"Shift Sales\" ss JOIN \"Sold Items\" si ON si.\"sales id\" = ss.\"sales id\" "
                       "LEFT JOIN \"Sold Line Paid\" lp ON lp.\"Sold ID\" = si.\"Sold ID\" "
                       "LEFT JOIN Items i ON i.\"Item Index\" = si.\"Item Index\" WHERE ss.\"Shift ID\" = ?"),
        {shiftId});
    struct ItemSold {
        QString name;
        double units = 0;
        qint64 cents = 0;
    };
    QMap<qint32, ItemSold> items;
    for (; !rs.eof(); rs.moveNext()) {
        const float qty = db::asSingle(rs.field(1));
        const qint64 atPrice =
            sale::lineSubtotal(sale::Money::fromDollars(db::asSingle(rs.field(0))), qty).cents();
        const qint64 paid = rs.field(2).isNull() ? atPrice : centsOf(rs.field(2));
        if (qty < 0) {
            f.returns -= paid;
            continue;
        }
        f.gross += atPrice;
        f.discounts += atPrice - paid;
        ItemSold &item = items[db::asLong(rs.field(3))];
        item.name = rs.field(4).toString();
        item.units += qty;
        item.cents += paid;
    }
    std::vector<ItemSold> sold(items.cbegin(), items.cend());
    std::stable_sort(sold.begin(), sold.end(), [](const ItemSold &a, const ItemSold &b) {
        return a.units != b.units ? a.units > b.units : a.cents > b.cents;
    });
    for (const ItemSold &item : sold) {
        if (int(f.topItems.size()) == kTopItems)
            break;
        f.topItems.push_back({item.name, int(std::lround(item.units)), item.cents});
    }
}

void readTax(db::Store &store, qint32 shiftId, ShiftFigures &f)
{
    db::Recordset rs = store.database().openQuery(
        QStringLiteral("SELECT th.\"Tax agency\", th.total FROM \"Shift Sales\" ss "
                       "JOIN \"Tax Holder\" th ON th.\"Sale ID\" = ss.\"sales id\" WHERE ss.\"Shift ID\" = ?"),
        {shiftId});
    Tallies agencies;
    for (; !rs.eof(); rs.moveNext())
        agencies.add(rs.field(0).toString(), centsOf(rs.field(1)));
    rs.close();
    f.taxByAgency = agencies.list();
    if (!store.database().connection().tableExists(QStringLiteral("Tax Jurisdictions")))
        return;
    db::Recordset places = store.database().openQuery(
        QStringLiteral("SELECT tj.\"Tax agency\", tj.\"Jurisdiction\", tj.total FROM \"Shift Sales\" ss "
                       "JOIN \"Tax Jurisdictions\" tj ON tj.\"Sale ID\" = ss.\"sales id\" WHERE ss.\"Shift ID\" = ?"),
        {shiftId});
    Tallies byPlace;
    QMap<QString, qint64> placed; // per agency
    bool anyPlace = false;
    for (; !places.eof(); places.moveNext()) {
        const QString agency = places.field(0).toString();
        const QString place = places.field(1).toString();
        const qint64 cents = centsOf(places.field(2));
        anyPlace = anyPlace || !place.isEmpty();
        byPlace.add(place.isEmpty() ? agency : agency + QStringLiteral(", ") + place, cents);
        placed[agency] += cents;
    }
    if (!anyPlace)
        return;
    // Sales posted before jurisdictions were recorded: their tax shows
    // under the agency alone, so the two lists agree.
    for (const Tally &a : f.taxByAgency)
        if (a.cents != placed.value(a.name))
            byPlace.add(a.name, a.cents - placed.value(a.name), 0);
    f.taxByJurisdiction = byPlace.list();
}

void readDrawer(db::Store &store, qint32 shiftId, ShiftFigures &f)
{
    db::Recordset rs = store.database().openQuery(
        QStringLiteral("SELECT kind, amount FROM \"Cash Movements\" WHERE \"Shift ID\" = ?"), {shiftId});
    for (; !rs.eof(); rs.moveNext()) {
        const QString kind = rs.field(0).toString();
        const qint64 cents = centsOf(rs.field(1));
        if (kind == movementKindName(MovementKind::PaidIn))
            f.paidIn += cents;
        else if (kind == movementKindName(MovementKind::PaidOut))
            f.paidOut += cents;
        else if (kind == movementKindName(MovementKind::NoSale))
            ++f.noSales;
        else if (kind == movementKindName(MovementKind::CancelledSale)) {
            ++f.cancelled.count;
            f.cancelled.cents += cents;
        }
    }
    rs.close();
    db::Recordset paid = store.database().openQuery(
        QStringLiteral("SELECT amount FROM \"Account Payments\" WHERE \"Shift ID\" = ?"), {shiftId});
    for (; !paid.eof(); paid.moveNext()) {
        ++f.accountPayments.count;
        f.accountPayments.cents += centsOf(paid.field(0));
    }
}

QJsonArray tallyArray(const std::vector<Tally> &tallies)
{
    QJsonArray a;
    for (const Tally &t : tallies)
        a.append(QJsonArray{t.name, t.count, QString::number(t.cents)});
    return a;
}

Tally tallyOf(const QJsonValue &v)
{
    const QJsonArray a = v.toArray();
    return {a.at(0).toString(), a.at(1).toInt(), a.at(2).toString().toLongLong()};
}

std::vector<Tally> talliesOf(const QJsonValue &v)
{
    std::vector<Tally> out;
    for (const QJsonValue &t : v.toArray())
        out.push_back(tallyOf(t));
    return out;
}

// Cents are kept as text: JSON numbers are doubles.
QString centsText(qint64 cents) { return QString::number(cents); }
qint64 centsIn(const QJsonObject &o, const char *key) { return o.value(QLatin1String(key)).toString().toLongLong(); }

} // namespace

qint64 ShiftFigures::taxTotal() const
{
    qint64 sum = 0;
    for (const Tally &t : taxByAgency)
        sum += t.cents;
    return sum;
}

QJsonObject ShiftFigures::toJson() const
{
    QJsonObject o{{"register", registerName},
                  {"z", zNumber},
                  {"opened", openedAt.toString(Qt::ISODate)},
                  {"closed", closedAt.toString(Qt::ISODate)},
                  {"openedBy", openedBy},
                  {"crash", closedAfterCrash},
                  {"sales", salesCount},
                  {"gross", centsText(gross)},
                  {"discounts", centsText(discounts)},
                  {"returns", centsText(returns)},
                  {"tax", tallyArray(taxByAgency)},
                  {"taxPlaces", tallyArray(taxByJurisdiction)},
                  {"shipping", centsText(shipping)},
                  {"payTypes", tallyArray(byPayType)},
                  {"cashiers", tallyArray(byCashier)},
                  {"invoices", tallyArray({invoices})},
                  {"payments", tallyArray({accountPayments})},
                  {"cancelled", tallyArray({cancelled})},
                  {"noSales", noSales},
                  {"topItems", tallyArray(topItems)},
                  {"float", centsText(floatCents)},
                  {"cashSales", centsText(cashSales)},
                  {"cashRefunds", centsText(cashRefunds)},
                  {"paidIn", centsText(paidIn)},
                  {"paidOut", centsText(paidOut)}};
    if (countedCash)
        o.insert(QStringLiteral("counted"), centsText(*countedCash));
    return o;
}

ShiftFigures ShiftFigures::fromJson(const QJsonObject &o)
{
    ShiftFigures f;
    f.registerName = o.value(QLatin1String("register")).toString();
    f.zNumber = o.value(QLatin1String("z")).toInt();
    f.openedAt = QDateTime::fromString(o.value(QLatin1String("opened")).toString(), Qt::ISODate);
    f.closedAt = QDateTime::fromString(o.value(QLatin1String("closed")).toString(), Qt::ISODate);
    f.openedBy = o.value(QLatin1String("openedBy")).toString();
    f.closedAfterCrash = o.value(QLatin1String("crash")).toBool();
    f.salesCount = o.value(QLatin1String("sales")).toInt();
    f.gross = centsIn(o, "gross");
    f.discounts = centsIn(o, "discounts");
    f.returns = centsIn(o, "returns");
    f.taxByAgency = talliesOf(o.value(QLatin1String("tax")));
    f.taxByJurisdiction = talliesOf(o.value(QLatin1String("taxPlaces")));
    f.shipping = centsIn(o, "shipping");
    f.byPayType = talliesOf(o.value(QLatin1String("payTypes")));
    f.byCashier = talliesOf(o.value(QLatin1String("cashiers")));
    f.invoices = tallyOf(o.value(QLatin1String("invoices")).toArray().at(0));
    f.accountPayments = tallyOf(o.value(QLatin1String("payments")).toArray().at(0));
    f.cancelled = tallyOf(o.value(QLatin1String("cancelled")).toArray().at(0));
    f.noSales = o.value(QLatin1String("noSales")).toInt();
    f.topItems = talliesOf(o.value(QLatin1String("topItems")));
    f.floatCents = centsIn(o, "float");
    f.cashSales = centsIn(o, "cashSales");
    f.cashRefunds = centsIn(o, "cashRefunds");
    f.paidIn = centsIn(o, "paidIn");
    f.paidOut = centsIn(o, "paidOut");
    if (o.contains(QLatin1String("counted")))
        f.countedCash = centsIn(o, "counted");
    return f;
}

ShiftFigures readShiftFigures(db::Store &store, const Shift &shift)
{
    ShiftFigures f;
    f.registerName = shift.registerName;
    f.zNumber = shift.zNumber;
    f.openedAt = shift.openedAt;
    f.closedAt = QDateTime::currentDateTime();
    f.openedBy = db::GetUserName(store, shift.openedBy);
    f.floatCents = shift.floatCents;
    readSales(store, shift.id, f);
    readLines(store, shift.id, f);
    readTax(store, shift.id, f);
    readDrawer(store, shift.id, f);
    return f;
}

} // namespace vanta::dayend
