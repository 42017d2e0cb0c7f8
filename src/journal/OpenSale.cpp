#include "journal/OpenSale.h"

#include "journal/JournalError.h"

#include <QDataStream>
#include <QIODevice>

namespace vanta::journal {

namespace {

// Form 2 adds whether a line sells an item or a variant and keeps a line's
// price and subtotal in cents; form 3 adds what a return line gives back
// (the sold line, its sale and the tax it refunds). Forms 1 (single-
// precision amounts) and 2 are still read.
constexpr quint32 kFormat = 3;
constexpr quint32 kFormatWithoutReturns = 2;
constexpr quint32 kFormatWithoutKinds = 1;
constexpr QDataStream::Version kStreamVersion = QDataStream::Qt_6_0;

// Every value of a line, in a fixed order.
void writeLine(QDataStream &out, const sale::clsSaleItem &l)
{
    out << quint8(l.good().kind) << l.ITEMINDEX() << l.OptionID1() << l.OptionID2() << l.OptionID3() << l.Name()
        << l.FullName() << l.UOM() << l.FullUOM() << l.Price().cents() << l.qty() << l.Discount()
        << l.Subtotal().cents() << l.Taxable() << l.TaxRuleID() << l.Weight() << l.ExceedQty();
    out << l.good().returnOf << l.ReturnSale() << quint32(l.TaxRefund().size());
    for (const sale::AgencyTax &refund : l.TaxRefund())
        out << refund.agency << refund.cents;
}

// What a return line gives back (form 3 on).
void readReturn(QDataStream &in, sale::clsSaleItem &l)
{
    qint32 returnOf = 0, returnSale = 0;
    quint32 refunds = 0;
    in >> returnOf >> returnSale >> refunds;
    // An agency's refund takes well over 8 bytes: more is damage.
    if (refunds > quint32(in.device() ? in.device()->bytesAvailable() / 8 : 0)) {
        in.setStatus(QDataStream::ReadCorruptData);
        return;
    }
    std::vector<sale::AgencyTax> taxRefund(refunds);
    for (sale::AgencyTax &refund : taxRefund)
        in >> refund.agency >> refund.cents;
    sale::Good good = l.good();
    good.returnOf = returnOf;
    l.setGood(good);
    l.setReturnSale(returnSale);
    l.setTaxRefund(std::move(taxRefund));
}

// A money amount of a line: cents in form 2, a single in form 1.
sale::Money readAmount(QDataStream &in, quint32 format)
{
    if (format == kFormatWithoutKinds) {
        float dollars = 0;
        in >> dollars;
        return sale::Money::fromSingle(dollars);
    }
    qint64 cents = 0;
    in >> cents;
    return sale::Money::fromCents(cents);
}

sale::clsSaleItem readLine(QDataStream &in, quint32 format)
{
    quint8 kind = 0;
    qint32 index = 0, o1 = 0, o2 = 0, o3 = 0, rule = 0;
    QString name, fullName, uom, fullUom;
    float qty = 0, discount = 0, weight = 0;
    bool taxable = false, exceed = false;
    if (format != kFormatWithoutKinds) {
        in >> kind;
        if (kind > quint8(sale::Good::Kind::Variant))
            in.setStatus(QDataStream::ReadCorruptData);
    }
    in >> index >> o1 >> o2 >> o3 >> name >> fullName >> uom >> fullUom;
    const sale::Money price = readAmount(in, format);
    in >> qty >> discount;
    const sale::Money subtotal = readAmount(in, format);
    in >> taxable >> rule >> weight >> exceed;
    sale::clsSaleItem l;
    l.setGood({sale::Good::Kind(kind), index, {o1, o2, o3}});
    l.setName(name);
    l.setFullName(fullName);
    l.setUOM(uom);
    l.setFullUOM(fullUom);
    l.setPrice(price);
    l.setQty(qty);
    l.setDiscount(discount);
    l.setSubtotal(subtotal);
    l.setTaxable(taxable);
    l.setTaxRuleID(rule);
    l.setWeight(weight);
    l.setExceedQty(exceed);
    if (format >= kFormat)
        readReturn(in, l);
    return l;
}

void writeOptional(QDataStream &out, const std::optional<qint32> &v) { out << v.has_value() << v.value_or(0); }

std::optional<qint32> readOptional(QDataStream &in)
{
    bool has = false;
    qint32 v = 0;
    in >> has >> v;
    return has ? std::optional<qint32>(v) : std::nullopt;
}

} // namespace

OpenSale openSaleOf(const sale::Sale &s, const QDateTime &changed)
{
    OpenSale sale;
    sale.saleId = s.number();
    sale.changed = changed;
    sale.lines.reserve(size_t(s.lines().Count()));
    for (const auto &line : s.lines())
        sale.lines.push_back(*line);
    sale.customerId = s.customer();
    if (s.payType().id != 0 || s.payType().kind != sale::PayKind::None)
        sale.payTypeId = s.payType().id;
    sale.shipping = s.shipping();
    sale.salesTax = float(s.tax().goods);
    sale.shippingTax = float(s.tax().shipping);
    return sale;
}

QByteArray encodeOpenSale(const OpenSale &sale)
{
    QByteArray record;
    if (sale.empty())
        return record;
    QDataStream out(&record, QIODevice::WriteOnly);
    out.setVersion(kStreamVersion);
    out.setFloatingPointPrecision(QDataStream::SinglePrecision);
    out << kFormat << sale.saleId << sale.changed << quint32(sale.lines.size());
    for (const sale::clsSaleItem &l : sale.lines)
        writeLine(out, l);
    writeOptional(out, sale.customerId);
    writeOptional(out, sale.payTypeId);
    out << sale.shipping.methodId << sale.shipping.method << sale.shipping.description << sale.shipping.chargeCents
        << sale.salesTax << sale.shippingTax;
    return record;
}

std::optional<OpenSale> decodeOpenSale(const QByteArray &record)
{
    if (record.isEmpty())
        return std::nullopt;
    QDataStream in(record);
    in.setVersion(kStreamVersion);
    in.setFloatingPointPrecision(QDataStream::SinglePrecision);
    quint32 format = 0, count = 0;
    OpenSale sale;
    in >> format;
    if (format != kFormat && format != kFormatWithoutReturns && format != kFormatWithoutKinds)
        throw JournalError(QStringLiteral("it was written in a form this register does not know"));
    in >> sale.saleId >> sale.changed >> count;
    // A line takes well over 40 bytes: a larger count is damage, not a sale.
    if (in.status() != QDataStream::Ok || count > quint32(record.size() / 40))
        throw JournalError(QStringLiteral("its record is damaged"));
    for (quint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i)
        sale.lines.push_back(readLine(in, format));
    sale.kindsGuessed = format == kFormatWithoutKinds;
    sale.customerId = readOptional(in);
    sale.payTypeId = readOptional(in);
    in >> sale.shipping.methodId >> sale.shipping.method >> sale.shipping.description >> sale.shipping.chargeCents
        >> sale.salesTax >> sale.shippingTax;
    if (in.status() != QDataStream::Ok || !in.atEnd() || sale.lines.empty())
        throw JournalError(QStringLiteral("its record is damaged"));
    return sale;
}

} // namespace vanta::journal
