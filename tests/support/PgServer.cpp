#include "support/PgServer.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QVersionNumber>
#include <unistd.h>

namespace vanta::test {

namespace {

QString findServerPrograms()
{
    const QString env = qEnvironmentVariable("VANTA_PG_BIN");
    if (!env.isEmpty())
        return QFileInfo::exists(env + QStringLiteral("/pg_ctl")) ? env : QString();
    QDir versions(QStringLiteral("/usr/lib/postgresql"));
    QStringList found = versions.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    std::sort(found.begin(), found.end(), [](const QString &a, const QString &b) {
        return QVersionNumber::fromString(a) > QVersionNumber::fromString(b);
    });
    for (const QString &v : found)
        if (QFileInfo::exists(versions.filePath(v + QStringLiteral("/bin/pg_ctl"))))
            return versions.filePath(v + QStringLiteral("/bin"));
    const QString onPath = QStandardPaths::findExecutable(QStringLiteral("pg_ctl"));
    return onPath.isEmpty() ? QString() : QFileInfo(onPath).path();
}

std::unique_ptr<PgServer> &instance()
{
    static std::unique_ptr<PgServer> server;
    return server;
}

QString &reason()
{
    static QString why;
    return why;
}

} // namespace

PgServer *PgServer::shared()
{
    static bool tried = false;
    if (!tried) {
        tried = true;
        std::unique_ptr<PgServer> s(new PgServer);
        if (s->setUp(reason()))
            instance() = std::move(s);
    }
    return instance().get();
}

QString PgServer::whyNot() { return reason(); }

bool PgServer::runTool(const QString &tool, const QStringList &args, QString *output)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    const QString program = mBin + QLatin1Char('/') + tool;
    if (mAsPostgres)
        p.start(QStringLiteral("runuser"), QStringList{QStringLiteral("-u"), QStringLiteral("postgres"),
                                                       QStringLiteral("--"), program} + args);
    else
        p.start(program, args);
    const bool done = p.waitForFinished(120000);
    if (output)
        *output = QString::fromLocal8Bit(p.readAll());
    return done && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

bool PgServer::setUp(QString &why)
{
    mBin = findServerPrograms();
    if (mBin.isEmpty()) {
        why = QStringLiteral("the PostgreSQL server programs (initdb, pg_ctl) are not installed; "
                             "scripts/install-deps installs them (Debian package postgresql)");
        return false;
    }
    if (!mDir.isValid()) {
        why = QStringLiteral("no temporary folder for the server");
        return false;
    }
    mAsPostgres = ::geteuid() == 0;
    if (mAsPostgres
        && QProcess::execute(QStringLiteral("chown"), {QStringLiteral("postgres:"), mDir.path()}) != 0) {
        why = QStringLiteral("running as root, the server folder could not be handed to the postgres user");
        return false;
    }
    QString out;
    if (!runTool(QStringLiteral("initdb"), {QStringLiteral("-D"), mDir.filePath(QStringLiteral("data")),
                                             QStringLiteral("-U"), QStringLiteral("vanta"),
                                             QStringLiteral("--auth=trust"), QStringLiteral("-E"),
                                             QStringLiteral("UTF8"), QStringLiteral("--no-sync")},
                 &out)) {
        why = QStringLiteral("initdb failed: ") + out;
        return false;
    }
    // Only the socket in our folder: no TCP port, nothing shared with the host.
    QFile conf(mDir.filePath(QStringLiteral("data/postgresql.conf")));
    if (conf.open(QIODevice::Append)) {
        conf.write(QStringLiteral("listen_addresses = ''\nunix_socket_directories = '%1'\n"
                                  "fsync = off\nsynchronous_commit = off\nfull_page_writes = off\n")
                       .arg(mDir.path()).toUtf8());
        conf.close();
    }
    if (!start()) {
        QFile log(mDir.filePath(QStringLiteral("server.log")));
        log.open(QIODevice::ReadOnly);
        why = QStringLiteral("the test server did not start: ") + QString::fromLocal8Bit(log.readAll());
        return false;
    }
    return true;
}

bool PgServer::start()
{
    mRunning = runTool(QStringLiteral("pg_ctl"), {QStringLiteral("-D"), mDir.filePath(QStringLiteral("data")),
                                                  QStringLiteral("-l"), mDir.filePath(QStringLiteral("server.log")),
                                                  QStringLiteral("-w"), QStringLiteral("start")});
    return mRunning;
}

bool PgServer::stop()
{
    const bool ok = runTool(QStringLiteral("pg_ctl"), {QStringLiteral("-D"), mDir.filePath(QStringLiteral("data")),
                                                       QStringLiteral("-m"), QStringLiteral("fast"),
                                                       QStringLiteral("-w"), QStringLiteral("stop")});
    mRunning = !ok;
    return ok;
}

PgServer::~PgServer()
{
    if (mRunning)
        runTool(QStringLiteral("pg_ctl"), {QStringLiteral("-D"), mDir.filePath(QStringLiteral("data")),
                                           QStringLiteral("-m"), QStringLiteral("immediate"), QStringLiteral("-w"),
                                           QStringLiteral("stop")});
}

QString PgServer::address(const QString &database) const
{
    return QStringLiteral("postgresql://vanta@/%1?host=%2").arg(database, mDir.path());
}

QString PgServer::newDatabase()
{
    const QString name = QStringLiteral("store_%1_%2").arg(::getpid()).arg(++mDatabases);
    QString out;
    runTool(QStringLiteral("createdb"), {QStringLiteral("-h"), mDir.path(), QStringLiteral("-U"),
                                         QStringLiteral("vanta"), name},
            &out);
    return address(name);
}

} // namespace vanta::test
