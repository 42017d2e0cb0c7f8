#pragma once

#include "db/CipherSettings.h"
#include "db/Connection.h"

#include <deque>

struct sqlite3;

namespace vanta::db {

// A connection to an encrypted store file (SQLCipher).
class FileConnection final : public Connection {
public:
    // Opens the file with the key and proves the key by reading the schema.
    // Throws DbError for a missing file, a wrong key or a non-database file.
    FileConnection(const QString &path, const QString &key, Mode mode = Mode::OpenExisting);
    ~FileConnection() override;

    Engine engine() const override { return Engine::File; }
    sqlite3 *handle() const { return mDb; }
    // The cipher parameters the file was read with.
    CipherParams cipherParams() const { return mCipher; }

    void begin() override; // BEGIN IMMEDIATE: the write lock is taken at once
    void commit() override;
    void rollback() override;
    bool inTransaction() const override;
    QPair<qint64, qint64> changeStamp() override;
    qint64 writeMark() const override { return mWritesDropped + qint64(mWrites.size()); }
    std::optional<std::vector<RowWrite>> writesSince(qint64 mark) const override;
    void setBusyTimeout(int ms) override;
    int busyTimeout() const override { return mBusyMs; }
    int cacheLimitKiB() const override { return mCacheKiB; }
    void setCacheLimitKiB(int kib) override;
    QStringList tableNames() override;

    [[noreturn]] void fail(int rc, const QString &context) const;

protected:
    TableInfo loadTableInfo(const QString &table) override;
    std::unique_ptr<Statement> makeStatement(const QString &sql) override;

private:
    int openKeyed(const QString &path, Mode mode, const QByteArray &key, CipherParams params, int &schemaRows);
    void logWrites();

    sqlite3 *mDb = nullptr;
    // The latest row writes (the engine's update hook), oldest first.
    std::deque<RowWrite> mWrites;
    qint64 mWritesDropped = 0;
    int mBusyMs = 0;
    int mCacheKiB = 0;
    CipherParams mCipher = CipherParams::Explicit;
};

} // namespace vanta::db
