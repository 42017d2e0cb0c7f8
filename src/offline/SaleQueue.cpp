#include "offline/SaleQueue.h"

#include "journal/JournalError.h"
#include "journal/JournalFile.h"
#include "offline/OfflineError.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace vanta::offline {

namespace {

// "0000000042.sale": the number orders the entries.
const QString kSuffix = QStringLiteral(".sale");
constexpr int kDigits = 10;

// The number an entry's name (or a set-aside entry's) starts with; -1 for
// another file.
qint64 numberOf(const QString &name)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{10})\\.sale"));
    const QRegularExpressionMatch m = form.match(name);
    return m.hasMatch() ? m.captured(1).toLongLong() : -1;
}

} // namespace

SaleQueue::SaleQueue(QString folder) : mFolder(std::move(folder)) {}

QStringList SaleQueue::entries() const
{
    // Fixed-width numbers: name order is queue order.
    return QDir(mFolder).entryList({QStringLiteral("*") + kSuffix}, QDir::Files, QDir::Name);
}

void SaleQueue::add(const QueuedSale &sale)
{
    if (!QDir().mkpath(mFolder))
        throw OfflineError(QStringLiteral("The folder '%1' for sales waiting for the server cannot be made.")
                               .arg(mFolder));
    // After every entry the folder holds, set aside ones too, so that a
    // number is never given twice.
    qint64 last = 0;
    for (const QString &name : QDir(mFolder).entryList(QDir::Files))
        last = std::max(last, numberOf(name));
    const QString entry = QStringLiteral("%1%2").arg(last + 1, kDigits, 10, QLatin1Char('0')).arg(kSuffix);
    try {
        journal::JournalFile file(pathOf(entry), journal::JournalFile::Sync::EachWrite);
        file.write(encodeQueuedSale(sale));
    } catch (const journal::JournalError &e) {
        QFile::remove(pathOf(entry) + QStringLiteral(".new"));
        throw OfflineError(QStringLiteral("The sale could not be kept for the server: %1").arg(e.description()));
    }
}

QueuedSale SaleQueue::read(const QString &entry) const
{
    const QString path = pathOf(entry);
    std::optional<QByteArray> record;
    try {
        record = journal::JournalFile(path).read();
    } catch (const journal::JournalError &e) {
        // Its text names the file.
        throw OfflineError(QStringLiteral("A waiting sale cannot be read: %1").arg(e.description()));
    }
    try {
        if (!record)
            throw OfflineError(QStringLiteral("it is gone"));
        return decodeQueuedSale(*record);
    } catch (const OfflineError &e) {
        throw OfflineError(QStringLiteral("The waiting sale %1 cannot be read: %2").arg(path, e.description()));
    }
}

bool SaleQueue::holds(qint32 saleId) const
{
    for (const QString &entry : entries()) {
        try {
            if (read(entry).saleId() == saleId)
                return true;
        } catch (const OfflineError &) {
            // A damaged entry holds no sale that can be told apart.
        }
    }
    return false;
}

void SaleQueue::remove(const QString &entry)
{
    QFile file(pathOf(entry));
    if (file.exists() && !file.remove())
        throw OfflineError(QStringLiteral("The posted sale %1 could not be taken out of the queue: %2")
                               .arg(pathOf(entry), file.errorString()));
}

QString SaleQueue::setAside(const QString &entry, const QString &suffix)
{
    const QString aside = pathOf(entry) + QLatin1Char('.') + suffix;
    QFile::remove(aside);
    if (!QFile::rename(pathOf(entry), aside))
        throw OfflineError(QStringLiteral("The waiting sale %1 could not be set aside.").arg(pathOf(entry)));
    return aside;
}

} // namespace vanta::offline
