#include "offline/OfflineNumbers.h"

#include "db/RowWriter.h"
#include "db/Store.h"
#include "db/UniqueId.h"
#include "journal/JournalError.h"
#include "offline/OfflineError.h"

#include <QDataStream>
#include <QDateTime>
#include <QIODevice>

namespace vanta::offline {

namespace {

constexpr QDataStream::Version kStreamVersion = QDataStream::Qt_6_0;
// Far more draws than a range of 134 million numbers needs.
constexpr int kMaxTaken = 1000;

QByteArray encode(const std::vector<qint32> &numbers)
{
    QByteArray record;
    QDataStream out(&record, QIODevice::WriteOnly);
    out.setVersion(kStreamVersion);
    out << quint32(numbers.size());
    for (const qint32 n : numbers)
        out << n;
    return record;
}

std::vector<qint32> decode(const QByteArray &record)
{
    QDataStream in(record);
    in.setVersion(kStreamVersion);
    quint32 count = 0;
    in >> count;
    if (in.status() != QDataStream::Ok || count > quint32(record.size() / 4))
        throw journal::JournalError(QStringLiteral("its list of numbers is damaged"));
    std::vector<qint32> numbers(count);
    for (qint32 &n : numbers)
        in >> n;
    if (in.status() != QDataStream::Ok || !in.atEnd())
        throw journal::JournalError(QStringLiteral("its list of numbers is damaged"));
    return numbers;
}

} // namespace

OfflineNumbers::OfflineNumbers(const QString &file) : mFile(file, journal::JournalFile::Sync::EachWrite)
{
    try {
        if (const std::optional<QByteArray> record = mFile.read(); record && !record->isEmpty())
            mNumbers = decode(*record);
    } catch (const journal::JournalError &e) {
        mProblem = e.description();
        mFile.setAside();
    }
}

void OfflineNumbers::topUp(db::Store &server, const QString &registerName, int want,
                           const std::function<qint32()> &draw)
{
    if (count() >= want)
        return;
    std::vector<qint32> added;
    {
        db::Database db = server.separateConnection();
        db::Transaction tx(db.connection());
        db::RowWriter rows(db.connection(), QStringLiteral("Offline Sale Numbers"),
                           {QStringLiteral("sales id"), QStringLiteral("Register"), QStringLiteral("set aside at")},
                           db::RowWriter::OnTaken::Skip);
        const QDateTime now = QDateTime::currentDateTime();
        int taken = 0; // held by other registers already
        while (count() + int(added.size()) < want) {
            // Not a number the store uses already (the back-office software
            // draws its own); another register's is skipped by the insert.
            const qint32 n = db::NewUniqueID(db, draw ? draw : db::NewOfflineSaleNumberCandidate);
            if (rows.add({n, registerName, now}))
                added.push_back(n);
            else if (++taken > kMaxTaken)
                throw OfflineError(QStringLiteral("No sale numbers could be set aside for selling offline: "
                                                  "every one drawn is held by another register."));
        }
        tx.commit();
    }
    std::vector<qint32> all = mNumbers;
    all.insert(all.end(), added.begin(), added.end());
    mFile.write(encode(all));
    mNumbers = std::move(all);
}

std::optional<qint32> OfflineNumbers::take()
{
    if (mNumbers.empty())
        return std::nullopt;
    // Off the file first: a number the file still holds could be given again.
    std::vector<qint32> rest(mNumbers.begin() + 1, mNumbers.end());
    mFile.write(encode(rest));
    const qint32 n = mNumbers.front();
    mNumbers = std::move(rest);
    return n;
}


} // namespace vanta::offline
