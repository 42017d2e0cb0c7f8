#include "offline/QueuedSale.h"

#include "journal/JournalError.h"
#include "journal/OpenSale.h"
#include "offline/OfflineError.h"

#include <QDataStream>
#include <QIODevice>

namespace vanta::offline {

namespace {

constexpr quint32 kFormat = 1;
constexpr QDataStream::Version kStreamVersion = QDataStream::Qt_6_0;

OfflineError damaged() { return OfflineError(QStringLiteral("its record is damaged")); }

} // namespace

QByteArray encodeQueuedSale(const QueuedSale &sale)
{
    // The lines go as the open sale's journal keeps them.
    journal::OpenSale lines;
    lines.saleId = sale.request.saleId;
    lines.changed = sale.soldAt;
    lines.lines = sale.lines;
    const posting::PostingRequest &r = sale.request;
    QByteArray record;
    QDataStream out(&record, QIODevice::WriteOnly);
    out.setVersion(kStreamVersion);
    out << kFormat << journal::encodeOpenSale(lines) << r.kind << r.saleId << r.customerId << r.payTypeId
        << r.employeeId << r.shiftId << r.amounts.total << r.amounts.tax << r.amounts.tendered << r.amounts.change
        << r.amounts.shipping << quint32(r.taxByAgency.size());
    for (const sale::AgencyTax &t : r.taxByAgency)
        out << t.agency << t.cents;
    out << r.approval.has_value();
    if (r.approval)
        out << r.approval->employeeId << r.approval->what;
    return record;
}

QueuedSale decodeQueuedSale(const QByteArray &record)
{
    QDataStream in(record);
    in.setVersion(kStreamVersion);
    quint32 format = 0, agencies = 0;
    QByteArray linesRecord;
    in >> format;
    if (format != kFormat)
        throw OfflineError(QStringLiteral("it was written in a form this register does not know"));
    QueuedSale sale;
    posting::PostingRequest &r = sale.request;
    in >> linesRecord >> r.kind >> r.saleId >> r.customerId >> r.payTypeId >> r.employeeId >> r.shiftId
        >> r.amounts.total >> r.amounts.tax >> r.amounts.tendered >> r.amounts.change >> r.amounts.shipping
        >> agencies;
    // An agency's share takes well over 8 bytes: more is damage.
    if (in.status() != QDataStream::Ok || agencies > quint32(record.size() / 8))
        throw damaged();
    r.taxByAgency.resize(agencies);
    for (sale::AgencyTax &t : r.taxByAgency)
        in >> t.agency >> t.cents;
    bool approved = false;
    in >> approved;
    if (approved) {
        posting::PostingRequest::Approved a;
        in >> a.employeeId >> a.what;
        r.approval = a;
    }
    if (in.status() != QDataStream::Ok || !in.atEnd())
        throw damaged();
    try {
        const std::optional<journal::OpenSale> lines = journal::decodeOpenSale(linesRecord);
        if (!lines || lines->saleId != r.saleId)
            throw damaged();
        sale.soldAt = lines->changed;
        sale.lines = lines->lines;
    } catch (const journal::JournalError &) {
        throw damaged();
    }
    return sale;
}

} // namespace vanta::offline
