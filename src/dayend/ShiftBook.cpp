#include "dayend/ShiftBook.h"

#include "dayend/ShiftError.h"
#include "db/Database.h"
#include "db/EmployeeName.h"
#include "db/RowWriter.h"
#include "db/Store.h"
#include "db/UniqueId.h"
#include "platform/Currency.h"

#include <QJsonDocument>
#include <QLocale>

namespace vanta::dayend {

namespace {

double dollars(qint64 cents) { return double(cents) / 100.0; }

Shift shiftOf(db::Recordset &rs)
{
    Shift s;
    s.id = db::asLong(rs.field(0));
    s.registerName = rs.field(1).toString();
    s.zNumber = db::asLong(rs.field(2));
    const QVariant opened = rs.field(3);
    s.openedAt = opened.typeId() == QMetaType::QDateTime ? opened.toDateTime()
                                                         : QDateTime::fromString(opened.toString(), Qt::ISODate);
    s.openedBy = db::asLong(rs.field(4));
    s.floatCents = toCents(db::asDouble(rs.field(5)));
    return s;
}

const QString kShiftColumns =
    QStringLiteral("SELECT \"Shift ID\", Register, \"Z Number\", \"opened at\", \"opened by\", float FROM Shifts ");

} // namespace

ShiftBook::ShiftBook(db::Store &store, QString registerName) : mStore(store), mRegister(std::move(registerName)) {}

std::optional<Shift> ShiftBook::current() const
{
    db::Recordset rs = mStore.database().openQuery(kShiftColumns + QStringLiteral("WHERE Register = ? AND \"Z Number\" = 0"),
                                                   {mRegister});
    if (rs.eof())
        return std::nullopt;
    return shiftOf(rs);
}

Shift ShiftBook::open(qint32 employeeId, qint64 floatCents)
{
    db::Transaction tx(mStore.database().connection());
    if (const std::optional<Shift> open = current())
        throw ShiftError(QStringLiteral("A shift is open on this register already: it was opened %1 by %2.")
                             .arg(QLocale().toString(open->openedAt, QLocale::ShortFormat),
                                  db::GetUserName(mStore, open->openedBy)));
    Shift s{db::NewIdCandidate(), mRegister, 0, QDateTime::currentDateTime(), employeeId, floatCents};
    s.openedAt = s.openedAt.addMSecs(-s.openedAt.time().msec()); // kept to the second
    db::RowWriter(mStore.database().connection(), QStringLiteral("Shifts"),
                  {QStringLiteral("Shift ID"), QStringLiteral("Register"), QStringLiteral("Z Number"),
                   QStringLiteral("opened at"), QStringLiteral("opened by"), QStringLiteral("float")})
        .add({s.id, s.registerName, 0, s.openedAt, employeeId, dollars(floatCents)});
    tx.commit();
    return s;
}

void ShiftBook::record(const Shift &shift, MovementKind kind, qint64 cents, const QString &reason, qint32 employeeId)
{
    db::Transaction tx(mStore.database().connection());
    db::RowWriter(mStore.database().connection(), QStringLiteral("Cash Movements"),
                  {QStringLiteral("Shift ID"), QStringLiteral("kind"), QStringLiteral("amount"),
                   QStringLiteral("reason"), QStringLiteral("Employee ID"), QStringLiteral("at")})
        .add({shift.id, movementKindName(kind), dollars(cents), reason, employeeId, QDateTime::currentDateTime()});
    tx.commit();
}

ShiftFigures ShiftBook::close(const Shift &shift, std::optional<qint64> countedCash, qint32 employeeId,
                              bool afterCrash)
{
    db::Connection &conn = mStore.database().connection();
    db::Transaction tx(conn);
    const QVariant z = conn.scalar(QStringLiteral("SELECT \"Z Number\" FROM Shifts WHERE \"Shift ID\" = ?"), {shift.id});
    if (z.isNull())
        throw ShiftError(QStringLiteral("The shift is not in the store any more."));
    if (db::asLong(z) != 0)
        throw ShiftError(QStringLiteral("This shift was closed already, by Z report %1.").arg(db::asLong(z)));
    Shift closing = shift;
    closing.zNumber = lastZNumber() + 1;
    ShiftFigures f = readShiftFigures(mStore, closing);
    f.countedCash = countedCash;
    f.closedAfterCrash = afterCrash;
    const QString kept = QString::fromUtf8(QJsonDocument(f.toJson()).toJson(QJsonDocument::Compact));
    conn.execute(QStringLiteral("UPDATE Shifts SET \"Z Number\" = ?, \"closed at\" = ?, \"closed by\" = ?, "
                                "\"counted cash\" = ?, \"expected cash\" = ?, \"closed after crash\" = ?, "
                                "\"Z Report\" = ? WHERE \"Shift ID\" = ? AND \"Z Number\" = 0"),
                 {closing.zNumber, f.closedAt, employeeId,
                  countedCash ? QVariant(dollars(*countedCash)) : QVariant(), dollars(f.expectedCash()),
                  afterCrash ? 1 : 0, kept, shift.id});
    tx.commit();
    return f;
}

std::optional<ShiftFigures> ShiftBook::zReport(qint32 zNumber) const
{
    const QVariant kept = mStore.database().scalar(
        QStringLiteral("SELECT \"Z Report\" FROM Shifts WHERE Register = ? AND \"Z Number\" = ?"), {mRegister, zNumber});
    if (zNumber <= 0 || kept.isNull())
        return std::nullopt;
    return ShiftFigures::fromJson(QJsonDocument::fromJson(kept.toString().toUtf8()).object());
}

qint32 ShiftBook::lastZNumber() const
{
    return db::asLong(mStore.database().scalar(
        QStringLiteral("SELECT coalesce(max(\"Z Number\"), 0) FROM Shifts WHERE Register = ?"), {mRegister}));
}

} // namespace vanta::dayend
