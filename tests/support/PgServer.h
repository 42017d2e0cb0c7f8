#pragma once

#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace vanta::test {

// A PostgreSQL server of the test run's own: initdb into a temporary folder,
// pg_ctl start listening on a Unix socket in that folder only, stopped and
// removed when the process ends. The server programs are looked for in
// $VANTA_PG_BIN, /usr/lib/postgresql/<version>/bin and the PATH. initdb
// refuses to run as root: as root, the folder is handed to the "postgres"
// user and the programs run as that user (runuser); the test role "vanta"
// connects over the socket without a password (trust, socket only).
class PgServer {
public:
    // The server of this process, started on first use; nullptr when the
    // server programs are missing or it could not start (see whyNot()).
    static PgServer *shared();
    static QString whyNot();

    // A new, empty database on the server; its connection string.
    QString newDatabase();
    QString socketFolder() const { return mDir.path(); }
    // The connection string of an existing database.
    QString address(const QString &database) const;
    // Stops and starts the server (the data stays): a server that goes away.
    bool stop();
    bool start();

    ~PgServer();

private:
    PgServer() = default;
    bool setUp(QString &why);
    bool runTool(const QString &tool, const QStringList &args, QString *output = nullptr);

    QTemporaryDir mDir;
    QString mBin;
    bool mAsPostgres = false;
    bool mRunning = false;
    int mDatabases = 0;
};

} // namespace vanta::test
