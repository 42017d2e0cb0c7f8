#include "db/FileConnection.h"

#include "db/DbError.h"
#include "db/StoreFileMode.h"

#include <QDateTime>
#include <QFileInfo>
#include <cstdlib>
#include <sqlcipher/sqlite3.h>

namespace vanta::db {

namespace {

// The cipher's page size: an encrypted store file is always whole pages.
constexpr qint64 kPageBytes = 1024;
constexpr int kBusyTimeoutMs = 3000;
// Row writes remembered per connection: far more than a posting makes.
constexpr size_t kWriteLogEntries = 4096;
constexpr int kCacheKiB = 65536; // 64 MB page cache: a cold cache decrypts pages again

// The register writes every sale into the file, and the engine keeps its
// write-ahead log and shared-memory index beside it: a store whose file or
// folder cannot be written is refused at once, named as read-only, instead of
// failing later with a vaguer error.
void requireWritable(const QString &path)
{
    const QFileInfo file(path);
    const QFileInfo folder(file.absolutePath());
    const auto besideWritable = [&](const char *suffix) {
        const QFileInfo f(path + QLatin1String(suffix));
        return f.exists() ? f.isWritable() : folder.isWritable();
    };
    QString what;
    if (!file.isWritable())
        what = QStringLiteral("The store database '%1' is read-only");
    else if (!besideWritable("-wal") || !besideWritable("-shm"))
        what = QStringLiteral("The folder of the store database '%1' is read-only");
    if (!what.isEmpty())
        throw DbError(ErrReadOnly, (what + QStringLiteral(": the register cannot save sales into it. "
                                                          "Allow writing to the file and its folder, "
                                                          "or choose another store database."))
                                       .arg(path));
}

class FileStatement final : public Statement {
public:
    FileStatement(FileConnection &conn, const QString &sql);
    ~FileStatement() override;
    void bind(const QVariantList &params) override;
    bool step() override;
    void reset() override;
    int changedRows() const override;
    QVariant column(int i) const override;
    std::string_view utf8(int i) const override;
    double real(int i) const override;
    bool isNull(int i) const override;
    bool isNumber(int i) const override;

private:
    FileConnection &mConn;
    sqlite3_stmt *mStmt = nullptr;
};

FileStatement::FileStatement(FileConnection &conn, const QString &sql) : Statement(sql), mConn(conn)
{
    const QByteArray text = sql.toUtf8();
    int rc = sqlite3_prepare_v2(conn.handle(), text.constData(), int(text.size()), &mStmt, nullptr);
    if (rc != SQLITE_OK)
        conn.fail(rc, QStringLiteral("preparing: ") + sql);
    QStringList names;
    const int n = sqlite3_column_count(mStmt);
    for (int i = 0; i < n; ++i)
        names << QString::fromUtf8(sqlite3_column_name(mStmt, i));
    setColumnNames(names);
}

FileStatement::~FileStatement() { sqlite3_finalize(mStmt); }

void FileStatement::bind(const QVariantList &params)
{
    sqlite3_reset(mStmt);
    sqlite3_clear_bindings(mStmt);
    const int expected = sqlite3_bind_parameter_count(mStmt);
    if (expected != params.size())
        throw DbError(EngineBase + SQLITE_RANGE,
                      QStringLiteral("The statement expects %1 values but was given %2: %3")
                          .arg(expected).arg(params.size()).arg(mSql));
    for (int i = 0; i < params.size(); ++i) {
        const QVariant &v = params[i];
        const int pos = i + 1;
        int rc = SQLITE_OK;
        if (v.isNull()) {
            rc = sqlite3_bind_null(mStmt, pos);
        } else {
            switch (v.typeId()) {
            case QMetaType::Bool:
                rc = sqlite3_bind_int(mStmt, pos, v.toBool() ? 1 : 0);
                break;
            case QMetaType::Int: case QMetaType::UInt: case QMetaType::Long:
            case QMetaType::LongLong: case QMetaType::Short: case QMetaType::UShort:
            case QMetaType::ULong: case QMetaType::ULongLong: case QMetaType::Char:
                rc = sqlite3_bind_int64(mStmt, pos, v.toLongLong());
                break;
            case QMetaType::Float: case QMetaType::Double:
                rc = sqlite3_bind_double(mStmt, pos, v.toDouble());
                break;
            case QMetaType::QByteArray: {
                const QByteArray b = v.toByteArray();
                rc = sqlite3_bind_blob(mStmt, pos, b.constData(), int(b.size()), SQLITE_TRANSIENT);
                break;
            }
            case QMetaType::QDateTime:
                rc = sqlite3_bind_text(mStmt, pos,
                                       v.toDateTime().toString(Qt::ISODate).toUtf8().constData(),
                                       -1, SQLITE_TRANSIENT);
                break;
            default: {
                const QByteArray t = v.toString().toUtf8();
                rc = sqlite3_bind_text(mStmt, pos, t.constData(), int(t.size()), SQLITE_TRANSIENT);
            }
            }
        }
        if (rc != SQLITE_OK)
            mConn.fail(rc, QStringLiteral("binding: ") + mSql);
    }
}

bool FileStatement::step()
{
    const int rc = sqlite3_step(mStmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    sqlite3_reset(mStmt);
    mConn.fail(rc, mSql);
}

void FileStatement::reset() { sqlite3_reset(mStmt); }

QVariant FileStatement::column(int i) const
{
    switch (sqlite3_column_type(mStmt, i)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(mStmt, i)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(mStmt, i));
    case SQLITE_TEXT:
        return QVariant(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(mStmt, i)),
                                          sqlite3_column_bytes(mStmt, i)));
    case SQLITE_BLOB:
        return QVariant(QByteArray(static_cast<const char *>(sqlite3_column_blob(mStmt, i)),
                                   sqlite3_column_bytes(mStmt, i)));
    default:
        return QVariant();
    }
}

std::string_view FileStatement::utf8(int i) const
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(mStmt, i));
    return text ? std::string_view(text, size_t(sqlite3_column_bytes(mStmt, i))) : std::string_view();
}

double FileStatement::real(int i) const { return sqlite3_column_double(mStmt, i); }

bool FileStatement::isNull(int i) const { return sqlite3_column_type(mStmt, i) == SQLITE_NULL; }

bool FileStatement::isNumber(int i) const
{
    const int type = sqlite3_column_type(mStmt, i);
    return type == SQLITE_INTEGER || type == SQLITE_FLOAT;
}

int FileStatement::changedRows() const { return sqlite3_changes(mConn.handle()); }

} // namespace

QPair<qint64, qint64> FileConnection::changeStamp()
{
    return {scalar(QStringLiteral("PRAGMA data_version")).toLongLong(), qint64(sqlite3_total_changes(mDb))};
}

// Opens the file afresh with the key and the cipher parameters given, and
// reads the schema to prove them: a wrong key or a foreign file fails there,
// before anything is written. Returns the engine's result of that read.
int FileConnection::openKeyed(const QString &path, Mode mode, const QByteArray &key, CipherParams params,
                              int &schemaRows)
{
    sqlite3_close(mDb);
    mDb = nullptr;
    // A connection is used by one thread at a time (a worker opens its own),
    // so the engine's lock around every call is left out: reading a column
    // would otherwise take and release it each time.
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX
                      | (mode == Mode::Create ? SQLITE_OPEN_CREATE : 0);
    int rc = sqlite3_open_v2(path.toUtf8().constData(), &mDb, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString msg = mDb ? QString::fromUtf8(sqlite3_errmsg(mDb)) : QString();
        sqlite3_close(mDb);
        mDb = nullptr;
        throw DbError(EngineBase + rc, QStringLiteral("Could not open the store database '%1': %2").arg(path, msg));
    }
    applyCipher(mDb, key, params);
    return sqlite3_exec(
        mDb, "SELECT count(*) FROM sqlite_master",
        [](void *rows, int, char **values, char **) {
            *static_cast<int *>(rows) = values[0] ? std::atoi(values[0]) : 0;
            return 0;
        },
        &schemaRows, nullptr);
}

FileConnection::FileConnection(const QString &path, const QString &key, Mode mode) : Connection(path)
{
    if (mode == Mode::OpenExisting && !QFileInfo(path).isFile())
        throw DbError(ErrFileNotFound, QStringLiteral("Could not find the store database '%1'.").arg(path));
    if (mode == Mode::OpenExisting)
        requireWritable(path);
    if (mode == Mode::Create)
        createStoreFile(path);
    const QByteArray k = key.toUtf8();
    int schemaRows = 0;
    int rc = openKeyed(path, mode, k, CipherParams::Explicit, schemaRows);
    // A file written with the library's own defaults, by another program
    // say, does not read with the explicit parameters: it is read with those.
    if (rc == SQLITE_NOTADB && mode == Mode::OpenExisting) {
        rc = openKeyed(path, mode, k, CipherParams::LibraryDefaults, schemaRows);
        if (rc == SQLITE_OK)
            mCipher = CipherParams::LibraryDefaults;
    }
    const auto refuse = [&](int number, const QString &message) {
        sqlite3_close(mDb);
        mDb = nullptr;
        throw DbError(number, message.arg(path));
    };
    if (rc == SQLITE_NOTADB || rc == SQLITE_CORRUPT) {
        // An encrypted file is whole pages; one cut short is damaged, whatever the password.
        const qint64 size = QFileInfo(path).size();
        if (size % kPageBytes != 0)
            refuse(ErrNotStoreDatabase, QStringLiteral("The store database '%1' is damaged: the file is cut short. "
                                                       "Restore it from the latest backup."));
        refuse(ErrNotStoreDatabase, QStringLiteral("'%1' is not a Vanta! store database, or its password is wrong."));
    }
    if (rc != SQLITE_OK)
        refuse(EngineBase + rc, QStringLiteral("Could not read the store database '%1'."));
    // An empty file would be turned into a new database by the settings below.
    if (schemaRows == 0 && mode == Mode::OpenExisting)
        refuse(ErrNotStoreDatabase, QStringLiteral("'%1' is empty: it is not a Vanta! store database."));
    setBusyTimeout(kBusyTimeoutMs);
    sqlite3_extended_result_codes(mDb, 0);
    setCacheLimitKiB(kCacheKiB);
    scalar(QStringLiteral("PRAGMA journal_mode = WAL"));
    execute(QStringLiteral("PRAGMA synchronous = FULL"));
    logWrites();
}

void FileConnection::logWrites()
{
    sqlite3_update_hook(
        mDb,
        [](void *self, int op, const char *, const char *table, sqlite3_int64 row) {
            auto &c = *static_cast<FileConnection *>(self);
            c.mWrites.push_back({QString::fromUtf8(table), qint64(row), op == SQLITE_UPDATE});
            if (c.mWrites.size() > kWriteLogEntries) {
                c.mWrites.pop_front();
                ++c.mWritesDropped;
            }
        },
        this);
}

std::optional<std::vector<Connection::RowWrite>> FileConnection::writesSince(qint64 mark) const
{
    if (mark < mWritesDropped || mark > writeMark())
        return std::nullopt;
    return std::vector<RowWrite>(mWrites.begin() + (mark - mWritesDropped), mWrites.end());
}

FileConnection::~FileConnection()
{
    if (mDb && !sqlite3_get_autocommit(mDb))
        sqlite3_exec(mDb, "ROLLBACK", nullptr, nullptr, nullptr);
    clearStatements();
    sqlite3_close(mDb);
}

void FileConnection::fail(int rc, const QString &context) const
{
    const int primary = rc & 0xff;
    if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED)
        throw DbError(ErrBusy, QStringLiteral("The store database is locked by another program. "
                                              "Please try again in a moment."));
    const QString msg = mDb ? QString::fromUtf8(sqlite3_errmsg(mDb)) : QStringLiteral("engine error");
    if (primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB)
        throw DbError(ErrDamaged, QStringLiteral("The store database '%1' is damaged (%2). "
                                                 "Restore it from the latest backup.")
                                      .arg(path(), msg));
    throw DbError(EngineBase + primary, msg + QStringLiteral(" (") + context + QLatin1Char(')'));
}

std::unique_ptr<Statement> FileConnection::makeStatement(const QString &sql)
{
    return std::make_unique<FileStatement>(*this, sql);
}

void FileConnection::begin() { execute(QStringLiteral("BEGIN IMMEDIATE")); }

void FileConnection::commit() { execute(QStringLiteral("COMMIT")); }

void FileConnection::rollback()
{
    if (mDb && !sqlite3_get_autocommit(mDb))
        sqlite3_exec(mDb, "ROLLBACK", nullptr, nullptr, nullptr);
}

void FileConnection::setBusyTimeout(int ms)
{
    sqlite3_busy_timeout(mDb, ms);
    mBusyMs = ms;
}

void FileConnection::setCacheLimitKiB(int kib)
{
    // A lower limit lets go of the pages beyond it at once.
    execute(QStringLiteral("PRAGMA cache_size = -%1").arg(kib));
    mCacheKiB = kib;
}

bool FileConnection::inTransaction() const { return mDb && !sqlite3_get_autocommit(mDb); }

Connection::TableInfo FileConnection::loadTableInfo(const QString &table)
{
    TableInfo info;
    StatementLease st = prepare(QStringLiteral("PRAGMA table_info(") + quoteIdentifier(table) + QLatin1Char(')'));
    st->bind({});
    while (st->step()) {
        const QString col = st->column(1).toString();
        info.columns << col;
        info.lowerTypes.insert(col.toLower(), st->column(2).toString().toUpper());
    }
    return info;
}

QStringList FileConnection::tableNames()
{
    QStringList names;
    StatementLease st = prepare(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"));
    st->bind({});
    while (st->step())
        names << st->column(0).toString();
    return names;
}

} // namespace vanta::db
