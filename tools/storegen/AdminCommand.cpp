#include "storegen/AdminCommand.h"

#include "db/PgConnection.h"
#include "db/Schema.h"
#include "db/Store.h"
#include "diagnostics/VantaError.h"
#include "storegen/BackupCommands.h"
#include "storegen/DemoPictures.h"
#include "storegen/DemoStore.h"
#include "storegen/SalesHistory.h"
#include "storegen/StoreCopy.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QTemporaryDir>
#include <exception>
#include <filesystem>
#include <functional>

namespace vanta::storegen {

using namespace vanta::db;

namespace {

const QStringList kSidecars = {QString(), QStringLiteral("-wal"), QStringLiteral("-shm"),
                               QStringLiteral("-journal")};

QString usage()
{
    return QStringLiteral(
        "Usage: vanta-admin COMMAND DIR [options]\n"
        "       vanta-admin COMMAND --pg URL [options]\n"
        "Writes a Vanta! POS store database, DIR/vanta.mdb, or a store on a PostgreSQL\n"
        "server shared by several registers (URL postgresql://user@host/dbname; the\n"
        "password comes from ~/.pgpass, never from the command line).\n"
        "\n"
        "Commands:\n"
        "  create DIR                 an empty store database with every table\n"
        "  demo DIR                   the demo store \"Vanta Corner Store\"\n"
        "  demo DIR --items N --customers M [--seed S]\n"
        "                             a large generated store (M counts CASH SALE; seed 1 by default)\n"
        "  create|demo --pg URL ...   the same in an empty database of a server\n"
        "  migrate FILE --pg URL      copy a store file (or its data folder) into an empty server\n"
        "                             store, every row checked against the file\n"
        "  upgrade DIR | --pg URL     add to an older store the tables this version keeps\n"
        "                             (what each sold line was paid, returned items)\n"
        "  backup DIR | --pg URL [--to FILE]\n"
        "                             back up the store while registers keep selling: into FILE,\n"
        "                             or ~/.local/share/vanta-pos/backups/<store>/ (the newest 14\n"
        "                             kept); a server store through pg_dump (restore it with pg_restore)\n"
        "  restore BACKUP DIR         put a backup in place of the store of DIR (--force to replace\n"
        "                             a store; it is kept beside as vanta.mdb.replaced-<date>-<time>);\n"
        "                             refused while a register has the store open\n"
        "\n"
        "Options:\n"
        "  --force                    replace an existing store database in DIR (not on a server)\n"
        "  --help                     show this help\n"
        "  --version                  show the version\n"
        "\n"
        "Demo logons (employee number / password): 1 / admin (manager, every permission),\n"
        "2 / cashier (Sell Items only), 3 / trainee (no permissions), 4 / retired (inactive).\n");
}

// A bad command line: reported with a hint, exit code 2.
struct UsageError {
    QString message;
};

int rowCount(const QCommandLineParser &parser, const QString &option)
{
    bool ok = false;
    const int n = parser.value(option).toInt(&ok);
    if (!ok || n < 1 || n > LargeStoreMaxRows)
        throw UsageError{QStringLiteral("--%1 needs a whole number from 1 to %2, not '%3'")
                             .arg(option)
                             .arg(LargeStoreMaxRows)
                             .arg(parser.value(option))};
    return n;
}

const QString kWorkPrefix = QStringLiteral(".vanta-admin-");
const QString kWorkLock = QStringLiteral(".lock");

// Work folders of earlier runs that were killed before they finished: their
// lock is no longer held by a live process. A running build keeps its lock.
void removeStaleWorkFolders(const QString &folder)
{
    const QDir dir(folder);
    for (const QString &name :
         dir.entryList({kWorkPrefix + QLatin1Char('*')}, QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot)) {
        QLockFile lock(QDir(dir.filePath(name)).filePath(kWorkLock));
        lock.setStaleLockTime(0);
        if (lock.tryLock(0)) {
            lock.unlock();
            QDir(dir.filePath(name)).removeRecursively();
        }
    }
}

// Refuses to touch an existing store (or a stray journal of one) without --force.
QStringList existingFiles(const QString &folder)
{
    QStringList found;
    for (const QString &base : {Store::databaseFile(folder), QDir(folder).filePath(Store::fileName())})
        for (const QString &suffix : kSidecars)
            if (QFileInfo::exists(base + suffix) && !found.contains(base + suffix))
                found << base + suffix;
    return found;
}

void removeFile(const QString &path)
{
    QFile f(path);
    if (!f.remove())
        throw VantaError(3051, QStringLiteral("Could not remove '%1': %2").arg(path, f.errorString()),
                         QStringLiteral("vanta-admin"));
}

// Builds the store in a temporary folder inside `folder`, then puts it in
// place of the old one: a failed build leaves the folder as it was.
QString writeStore(const QString &folder, bool force, const std::function<void(const Database &)> &fill)
{
    if (!QDir().mkpath(folder))
        throw VantaError(3044, QStringLiteral("Could not create the folder '%1'.").arg(folder),
                         QStringLiteral("vanta-admin"));
    QStringList old = existingFiles(folder);
    if (!old.isEmpty() && !force)
        throw VantaError(3204, QStringLiteral("'%1' already exists; use --force to replace it.").arg(old.first()),
                         QStringLiteral("vanta-admin"));

    removeStaleWorkFolders(folder);
    QTemporaryDir work(QDir(folder).filePath(kWorkPrefix + QStringLiteral("XXXXXX")));
    if (!work.isValid())
        throw VantaError(3044, QStringLiteral("Could not create a work folder in '%1': %2").arg(folder, work.errorString()),
                         QStringLiteral("vanta-admin"));
    QLockFile busy(QDir(work.path()).filePath(kWorkLock)); // tells later runs this folder is in use
    busy.lock();
    Store::create(work.path());
    if (fill) {
        Store store(work.path());
        fill(store.database());
    } // the last connection closes here and folds its journal into the file

    // The old journals go first: left beside the new file they would be
    // replayed into it. The main file itself is replaced in one rename.
    const QString built = Store::databaseFile(work.path());
    const QString target = QDir(folder).filePath(Store::fileName());
    for (const QString &path : old)
        if (path != target)
            removeFile(path);
    for (const QString &suffix : kSidecars) {
        if (!QFileInfo::exists(built + suffix))
            continue;
        std::error_code ec;
        std::filesystem::rename(QFile::encodeName(built + suffix).toStdString(),
                                QFile::encodeName(target + suffix).toStdString(), ec);
        if (ec)
            throw VantaError(3051, QStringLiteral("Could not move the new store database to '%1': %2")
                                       .arg(target + suffix, QString::fromStdString(ec.message())),
                             QStringLiteral("vanta-admin"));
    }
    return target;
}

// Makes the store in an empty server database; a failed fill removes the
// tables again, so the database is as empty as before.
QString writeServerStore(const QString &address, const std::function<void(const Database &)> &fill)
{
    Store::create(address);
    if (!fill)
        return address;
    try {
        Store store(address);
        fill(store.database());
    } catch (...) {
        try {
            PgConnection conn(address);
            for (const TableDef &t : storeTables())
                conn.execute(QStringLiteral("DROP TABLE IF EXISTS ") + quoteIdentifier(t.name));
        } catch (const VantaError &) {
            // The first failure is the one to report.
        }
        throw;
    }
    return address;
}

// Adds the tables made since older stores were written; the rest of the
// store is left as it is.
int upgrade(const QString &location, QTextStream &out)
{
    Store store(location);
    Connection &conn = store.database().connection();
    const QStringList missing = missingAddedTables(conn);
    createAddedTables(conn);
    out << (missing.isEmpty() ? QStringLiteral("The store %1 has every table already.").arg(store.filePath())
                              : QStringLiteral("Added to the store %1: %2.")
                                    .arg(store.filePath(), missing.join(QStringLiteral(", "))))
        << '\n';
    return AdminOk;
}

int migrate(const QString &file, const QString &address, QTextStream &out)
{
    const QString folder = QFileInfo(file).isDir() ? file : QFileInfo(file).path();
    if (!Store::exists(folder))
        throw VantaError(3024, QStringLiteral("There is no store database at '%1'.").arg(file),
                         QStringLiteral("vanta-admin"));
    Store source(folder);
    const CopyReport report = copyStoreToServer(source, address, [&out](const QString &table, qint64 rows) {
        out << table << ": " << rows << " rows copied and checked\n";
        out.flush();
    });
    out << report.tables << " tables, " << report.rows << " rows copied to " << address << '\n';
    return AdminOk;
}

int run(const QStringList &args, QTextStream &out)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{"h", "help"});
    const QCommandLineOption version(QStringLiteral("version"));
    const QCommandLineOption force(QStringLiteral("force"));
    const QCommandLineOption items(QStringLiteral("items"), QString(), QStringLiteral("N"));
    const QCommandLineOption customers(QStringLiteral("customers"), QString(), QStringLiteral("M"));
    const QCommandLineOption seed(QStringLiteral("seed"), QString(), QStringLiteral("S"));
    const QCommandLineOption pg(QStringLiteral("pg"), QString(), QStringLiteral("URL"));
    const QCommandLineOption to(QStringLiteral("to"), QString(), QStringLiteral("FILE"));
    parser.addOptions({help, version, force, items, customers, seed, pg, to});
    if (!parser.parse(QStringList{QStringLiteral("vanta-admin")} + args))
        throw UsageError{parser.errorText()};
    if (parser.isSet(help)) {
        out << usage();
        return AdminOk;
    }
    if (parser.isSet(version)) {
        out << "vanta-admin " << VANTA_VERSION << '\n';
        return AdminOk;
    }

    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        throw UsageError{QStringLiteral("no command given")};
    const QString command = positional.first();
    const bool onServer = parser.isSet(pg);
    if (onServer && !Store::isServerAddress(parser.value(pg)))
        throw UsageError{QStringLiteral("--pg needs a PostgreSQL address postgresql://user@host/dbname, not '%1'")
                             .arg(parser.value(pg))};
    if (command == QLatin1String("migrate")) {
        if (!onServer)
            throw UsageError{QStringLiteral("migrate needs --pg URL, the server store to copy into")};
        if (positional.size() != 2)
            throw UsageError{QStringLiteral("migrate needs one store file")};
        return migrate(QFileInfo(positional[1]).absoluteFilePath(), parser.value(pg), out);
    }
    if (parser.isSet(to) && command != QLatin1String("backup"))
        throw UsageError{QStringLiteral("--to belongs to the backup command")};
    if (command == QLatin1String("backup")) {
        if (positional.size() != (onServer ? 1 : 2))
            throw UsageError{QStringLiteral("backup needs one store folder, or --pg URL alone")};
        return backupCommand(onServer ? parser.value(pg) : QDir(positional[1]).absolutePath(), parser.value(to),
                             out);
    }
    if (command == QLatin1String("restore")) {
        if (onServer)
            throw UsageError{QStringLiteral("a server store is restored with pg_restore, not vanta-admin")};
        if (positional.size() != 3)
            throw UsageError{QStringLiteral("restore needs a backup file and the store folder to restore into")};
        return restoreCommand(positional[1], QFileInfo(positional[2]).absoluteFilePath(), parser.isSet(force), out);
    }
    if (command == QLatin1String("upgrade")) {
        if (positional.size() != (onServer ? 1 : 2))
            throw UsageError{QStringLiteral("upgrade needs one store folder, or --pg URL alone")};
        return upgrade(onServer ? parser.value(pg) : QDir(positional[1]).absolutePath(), out);
    }
    if (command != QLatin1String("create") && command != QLatin1String("demo"))
        throw UsageError{QStringLiteral("unknown command '%1'").arg(command)};
    const int wanted = onServer ? 1 : 2;
    if (positional.size() < wanted)
        throw UsageError{QStringLiteral("%1 needs a folder").arg(command)};
    if (positional.size() > wanted)
        throw UsageError{QStringLiteral("unexpected argument '%1'").arg(positional[wanted])};
    if (onServer && parser.isSet(force))
        throw UsageError{QStringLiteral("--force does not replace a server store; use an empty database")};
    const QString folder = onServer ? QString() : QDir(positional[1]).absolutePath();

    const bool large = parser.isSet(items) || parser.isSet(customers) || parser.isSet(seed);
    std::function<void(const Database &)> fill;
    if (command == QLatin1String("create")) {
        if (large)
            throw UsageError{QStringLiteral("--items, --customers and --seed belong to the demo command")};
    } else if (!large) {
        // A month of sales up to yesterday: the store's figures have
        // something to show from the first start.
        fill = [](const Database &db) {
            fillDemoStore(db);
            const QDate today = QDate::currentDate();
            writeSalesHistory(db, today.addDays(-30), today.addDays(-1), 1);
        };
    } else {
        if (!parser.isSet(items) || !parser.isSet(customers))
            throw UsageError{QStringLiteral("a large store needs both --items and --customers")};
        const int itemCount = rowCount(parser, QStringLiteral("items"));
        const int customerCount = rowCount(parser, QStringLiteral("customers"));
        quint32 seedValue = 1;
        if (parser.isSet(seed)) {
            bool ok = false;
            seedValue = parser.value(seed).toUInt(&ok);
            if (!ok)
                throw UsageError{QStringLiteral("--seed needs a whole number, not '%1'").arg(parser.value(seed))};
        }
        fill = [=](const Database &db) { fillLargeStore(db, itemCount, customerCount, seedValue); };
    }

    if (onServer) {
        out << writeServerStore(parser.value(pg), fill) << '\n';
        return AdminOk;
    }
    out << writeStore(folder, parser.isSet(force), fill) << '\n';
    if (command == QLatin1String("demo") && !large)
        writeDemoPictureFiles(folder);
    return AdminOk;
}

} // namespace

int runAdmin(const QStringList &args, QTextStream &out, QTextStream &err)
{
    try {
        return run(args, out);
    } catch (const UsageError &e) {
        err << "vanta-admin: " << e.message << " (see vanta-admin --help)\n";
        return AdminUsage;
    } catch (const VantaError &e) {
        err << "vanta-admin: " << e.description() << '\n';
        return AdminFailed;
    } catch (const std::exception &e) {
        err << "vanta-admin: " << e.what() << '\n';
        return AdminFailed;
    }
}

} // namespace vanta::storegen
