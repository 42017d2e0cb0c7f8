#include "db/StoreCheck.h"

#include "db/FileConnection.h"
#include "db/DbError.h"

#include <QThread>
#include <sqlcipher/sqlite3.h>

namespace vanta::db {

namespace {

// The engine lists every problem it meets, one per line ("Page 114:
// btreeInitPage() returns error code 11"); a person needs the first and
// how many more there are.
QString summarise(const QString &report)
{
    QStringList lines = report.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    lines.removeIf([](const QString &l) { return l.startsWith(QLatin1String("***")); });
    if (lines.isEmpty())
        return report.left(120);
    QString first = lines.first().trimmed();
    if (first.startsWith(QLatin1String("Page "), Qt::CaseInsensitive)) {
        const qsizetype colon = first.indexOf(QLatin1Char(':'));
        first = QStringLiteral("page ") + first.mid(5, colon - 5) + QStringLiteral(" cannot be read");
    }
    first = first.left(120);
    if (lines.size() > 1)
        first += QStringLiteral(", and %1 more problems").arg(lines.size() - 1);
    return first;
}

} // namespace

StoreCheckResult checkStoreFile(const QString &path, const QString &key, const std::atomic<bool> *cancel)
{
    try {
        FileConnection conn(path, key);
        if (cancel)
            sqlite3_progress_handler(
                conn.handle(), 1000,
                [](void *flag) { return static_cast<const std::atomic<bool> *>(flag)->load() ? 1 : 0; },
                const_cast<std::atomic<bool> *>(cancel));
        // quick_check reads every page (so every page's authentication is
        // tested) and the structure of each b-tree, without the slower
        // index-to-table cross checks. Read directly for the engine's own
        // words when a page cannot be read at all.
        sqlite3_stmt *st = nullptr;
        if (sqlite3_prepare_v2(conn.handle(), "PRAGMA quick_check", -1, &st, nullptr) != SQLITE_OK)
            return {false, QString::fromUtf8(sqlite3_errmsg(conn.handle()))};
        StoreCheckResult result;
        const int rc = sqlite3_step(st);
        if (rc == SQLITE_ROW) {
            const QString first = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)));
            if (first.compare(QLatin1String("ok"), Qt::CaseInsensitive) != 0)
                result = {false, summarise(first)};
        } else if (!(cancel && cancel->load())) {
            result = {false, QString::fromUtf8(sqlite3_errmsg(conn.handle()))};
        }
        sqlite3_finalize(st);
        return result;
    } catch (const DbError &e) {
        if (cancel && cancel->load())
            return {};
        return {false, e.description()};
    }
}

QString damagedStoreMessage(const QString &path, const QString &problem)
{
    return QStringLiteral("The store database '%1' is damaged (%2). Sales cannot be saved into it. "
                          "Close the register and restore the store database from the latest backup.")
        .arg(path, problem);
}

BackgroundStoreCheck::BackgroundStoreCheck(const QString &path, const QString &key, Done done, QObject *parent)
    : QObject(parent)
{
    mThread = QThread::create([this, path, key] { mResult = checkStoreFile(path, key, &mCancel); });
    connect(mThread, &QThread::finished, this, [this, done = std::move(done)] {
        if (!mCancel.load())
            done(mResult);
    });
    mThread->start(QThread::LowPriority);
}

BackgroundStoreCheck::~BackgroundStoreCheck()
{
    mCancel.store(true);
    mThread->wait();
    delete mThread;
}

bool BackgroundStoreCheck::running() const { return mThread->isRunning(); }

} // namespace vanta::db
