#include "journal/SaleJournal.h"

#include "db/Database.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vanta::journal {

namespace {

// The folder is made readable by its user only when this makes it.
void makeFolder(const QString &folder)
{
    if (QFileInfo::exists(folder))
        return;
    QDir().mkpath(folder);
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

} // namespace

QString SaleJournal::pathFor(const QString &folder, const QString &storeFile)
{
    const QFileInfo info(storeFile);
    const QString canonical = info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
    const QByteArray key = QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
    return QDir(folder).filePath(QStringLiteral("open-sale-%1.journal").arg(QString::fromLatin1(key)));
}

SaleJournal::SaleJournal(const QString &folder, const QString &storeFile, JournalFile::Sync sync)
    : mFile(pathFor(folder, storeFile), sync)
{
    makeFolder(folder);
}

std::optional<OpenSale> SaleJournal::read() const
{
    const std::optional<QByteArray> record = mFile.read();
    return record ? decodeOpenSale(*record) : std::nullopt;
}

void SaleJournal::write(const OpenSale &sale)
{
    if (sale.empty()) {
        clear();
        return;
    }
    mClear = false;
    mFile.write(encodeOpenSale(sale));
}

void SaleJournal::clear()
{
    if (mClear)
        return; // nothing to write again: every change of an empty sale ends here
    mFile.clear();
    mClear = true;
}

std::optional<OpenSale> unfinishedSale(SaleJournal &journal, const db::Database &store)
{
    std::optional<OpenSale> sale = journal.read();
    if (!sale)
        return std::nullopt;
    if (store.scalar(QStringLiteral("SELECT count(*) FROM Sales WHERE \"Sales ID\" = ?"), {sale->saleId}).toInt() > 0) {
        journal.clear();
        return std::nullopt;
    }
    if (sale->kindsGuessed) {
        // As the register then read it: a number no item has is a variant's.
        for (sale::clsSaleItem &line : sale->lines)
            if (store.scalar(QStringLiteral("SELECT 1 FROM Items WHERE \"Item Index\" = ?"), {line.ITEMINDEX()})
                    .isNull()
                && !store.scalar(QStringLiteral("SELECT 1 FROM Subitems WHERE SubItemID = ?"), {line.ITEMINDEX()})
                        .isNull())
                line.setGood(sale::Good::variant(line.ITEMINDEX()));
        sale->kindsGuessed = false;
    }
    return sale;
}

QString restoreQuestion(const OpenSale &sale)
{
    return QStringLiteral("An unfinished sale from %1 with %2 items was found. Restore it?")
        .arg(sale.changed.toString(QStringLiteral("M/d/yyyy h:mm AP")))
        .arg(sale.lines.size());
}

} // namespace vanta::journal
