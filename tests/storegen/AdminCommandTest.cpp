#include "db/Schema.h"
#include "db/Store.h"
#include "storegen/AdminCommand.h"
#include "storegen/AdminRun.h"
#include "support/Files.h"
#include "support/TempPgStore.h"

#include <QDate>
#include <QDir>
#include <QImage>
#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vanta;

namespace {

using test::admin;
using test::AdminRun;
using test::writeFile;

qint64 count(const QString &folder, const QString &sql)
{
    db::Store store(folder);
    return store.database().scalar(sql).toLongLong();
}

} // namespace

TEST(AdminCommand, ReplacesAStoreOnlyWithForce)
{
    QTemporaryDir tmp;
    const QString folder = tmp.path() + "/data";
    const QString file = folder + "/vanta.mdb";

    AdminRun r = admin({"create", folder});
    ASSERT_EQ(r.rc, storegen::AdminOk) << r.err.toStdString();
    EXPECT_EQ(r.out, file + "\n");
    EXPECT_EQ(count(folder, "SELECT count(*) FROM Items"), 0);
    {
        db::Store store(folder);
        store.database().execute(R"(INSERT INTO Employees ("Employee ID", "First Name") VALUES (99, 'Marker'))");
    }

    // Without --force nothing is touched: not by create, not by demo.
    for (const QStringList &args : {QStringList{"create", folder}, QStringList{"demo", folder}}) {
        r = admin(args);
        EXPECT_EQ(r.rc, storegen::AdminFailed);
        EXPECT_TRUE(r.err.startsWith("vanta-admin: ") && r.err.contains("--force")) << r.err.toStdString();
        EXPECT_EQ(r.err.count('\n'), 1);
        EXPECT_TRUE(r.out.isEmpty());
    }
    EXPECT_EQ(count(folder, "SELECT count(*) FROM Employees WHERE \"Employee ID\" = 99"), 1);

    // A stale journal beside the store goes with it, so it is never replayed
    // into the new file.
    writeFile(file + "-wal", QByteArray(4096, 'x'));
    r = admin({"demo", folder, "--force"});
    ASSERT_EQ(r.rc, storegen::AdminOk) << r.err.toStdString();
    EXPECT_EQ(r.out, file + "\n");
    EXPECT_FALSE(QFile::exists(file + "-wal"));
    EXPECT_EQ(count(folder, "SELECT count(*) FROM Employees WHERE \"Employee ID\" = 99"), 0);
    EXPECT_EQ(count(folder, "SELECT count(*) FROM Items"), 24);
    // A month of sales up to yesterday, each whole: its lines and its tax
    // by agency make up its total, and every return names a sold line.
    const QString today = QDate::currentDate().toString(Qt::ISODate);
    const QString monthAgo = QDate::currentDate().addDays(-30).toString(Qt::ISODate);
    EXPECT_GT(count(folder, "SELECT count(*) FROM Sales"), 30 * 9);
    EXPECT_EQ(count(folder, "SELECT count(*) FROM Sales WHERE \"date of sale\" >= '" + today + "' OR \"date of sale\" < '"
                                + monthAgo + "'"),
              0);
    EXPECT_EQ(count(folder, "SELECT count(*) FROM Sales s WHERE round(s.\"total of sale\" * 100) <> "
                            "(SELECT round(sum(round(lp.subtotal * 100))) FROM \"Sold Line Paid\" lp "
                            "WHERE lp.\"sales id\" = s.\"Sales ID\") + round(s.Tax * 100) OR round(s.Tax * 100) <> "
                            "coalesce((SELECT sum(round(t.total * 100)) FROM \"Tax Holder\" t WHERE t.\"Sale ID\" = "
                            "s.\"Sales ID\"), 0)"),
              0);
    EXPECT_GT(count(folder, "SELECT count(*) FROM \"Returned Items\" r JOIN \"Sold Items\" si "
                            "ON si.\"Sold ID\" = r.\"Sold ID\" AND si.\"qty sold\" > 0"),
              0);
    // No work folder is left behind; the demo's pictures are beside the store.
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              (QStringList{"Pictures", "vanta.mdb"}));
    EXPECT_FALSE(QImage(folder + "/Pictures/nopic.jpg").isNull());
    EXPECT_GE(count(folder, "SELECT count(*) FROM Pictures"), 3);
    {
        db::Store store(folder);
        for (auto rs = store.database().openTable("Pictures"); !rs.eof(); rs.moveNext())
            EXPECT_FALSE(QImage(folder + "/Pictures/" + rs.text("Picture")).isNull()) << rs.text("Picture").toStdString();
    }

    // Work folders of killed runs are cleared; one still in use is left alone.
    const QString stale = folder + "/.vanta-admin-Xk3p9q";
    const QString busy = folder + "/.vanta-admin-Busy01";
    QDir().mkpath(stale);
    QDir().mkpath(busy);
    writeFile(stale + "/vanta.mdb", QByteArray(1024, 'x'));
    QLockFile inUse(busy + "/.lock");
    ASSERT_TRUE(inUse.lock());
    ASSERT_EQ(admin({"create", folder, "--force"}).rc, storegen::AdminOk);
    EXPECT_FALSE(QDir(stale).exists());
    EXPECT_TRUE(QDir(busy).exists());

    // A journal without its store also counts as a store in the way.
    const QString other = tmp.path() + "/other";
    QDir().mkpath(other);
    writeFile(other + "/vanta.mdb-wal", "junk");
    EXPECT_EQ(admin({"create", other}).rc, storegen::AdminFailed);
    EXPECT_FALSE(QFile::exists(other + "/vanta.mdb"));

    // A folder that cannot be made is a failure, not a crash.
    writeFile(tmp.path() + "/plainfile", "x");
    r = admin({"create", tmp.path() + "/plainfile"});
    EXPECT_EQ(r.rc, storegen::AdminFailed);
    EXPECT_TRUE(r.err.startsWith("vanta-admin: "));
}

TEST(AdminCommand, BadUsageIsOneLineAndWritesNothing)
{
    QTemporaryDir tmp;
    const QString d = tmp.path() + "/data";
    const QList<QStringList> cases = {
        {},
        {"frob", d},
        {"create"},
        {"create", d, "extra"},
        {"create", d, "--items", "5"},
        {"demo", d, "--items", "5"},
        {"demo", d, "--customers", "5"},
        {"demo", d, "--items", "0", "--customers", "5"},
        {"demo", d, "--items", "many", "--customers", "5"},
        {"demo", d, "--items", "2147483647", "--customers", "5"},
        {"demo", d, "--items", "5", "--customers", "5", "--seed", "-3"},
        {"demo", d, "--bogus"},
        {"demo", d, "--items"},
    };
    for (const QStringList &args : cases) {
        const AdminRun r = admin(args);
        EXPECT_EQ(r.rc, storegen::AdminUsage) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.startsWith("vanta-admin: ")) << r.err.toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
    }
    EXPECT_FALSE(QDir(d).exists());
}

TEST(AdminCommand, HelpVersionAndLargeStore)
{
    AdminRun r = admin({"--help"});
    EXPECT_EQ(r.rc, storegen::AdminOk);
    EXPECT_TRUE(r.out.startsWith("Usage: vanta-admin"));
    EXPECT_TRUE(r.out.contains("--force") && r.out.contains("--items"));

    r = admin({"--version"});
    EXPECT_EQ(r.rc, storegen::AdminOk);
    EXPECT_EQ(r.out, QStringLiteral("vanta-admin " VANTA_VERSION "\n"));

    QTemporaryDir tmp;
    r = admin({"demo", tmp.path(), "--items", "40", "--customers=9", "--seed", "3"});
    ASSERT_EQ(r.rc, storegen::AdminOk) << r.err.toStdString();
    EXPECT_EQ(count(tmp.path(), "SELECT count(*) FROM Items"), 40);
    EXPECT_EQ(count(tmp.path(), "SELECT count(*) FROM Customers"), 9);
}

// A store file moves to an empty server store, checked row by row; a
// server store that holds rows is never written over.
TEST(AdminCommand, MigratesAFileStoreToAnEmptyServerStore)
{
    VANTA_REQUIRE_PG_SERVER();
    QTemporaryDir tmp;
    ASSERT_EQ(admin({"demo", tmp.path()}).rc, storegen::AdminOk);
    const QString address = test::PgServer::shared()->newDatabase();
    AdminRun r = admin({"migrate", tmp.path() + "/vanta.mdb", "--pg", address});
    ASSERT_EQ(r.rc, storegen::AdminOk) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("Items: 24 rows copied and checked")) << r.out.toStdString();
    db::Store file(tmp.path());
    db::Store server(address);
    for (const char *sql : {"SELECT count(*) FROM Customers", "SELECT sum(\"Item Index\") FROM Items",
                            "SELECT count(*) FROM \"Tax splits\""})
        EXPECT_EQ(server.database().scalar(sql).toDouble(), file.database().scalar(sql).toDouble()) << sql;
    EXPECT_TRUE(db::missingAddedTables(server.database().connection()).isEmpty()) << "the notes of changes too";

    r = admin({"migrate", tmp.path(), "--pg", address});
    EXPECT_EQ(r.rc, storegen::AdminFailed);
    EXPECT_TRUE(r.err.contains("is not empty: table")) << r.err.toStdString();
    r = admin({"demo", "--pg", address});
    EXPECT_EQ(r.rc, storegen::AdminFailed);
    EXPECT_TRUE(r.err.contains("already holds a store")) << r.err.toStdString();
    EXPECT_EQ(admin({"create", "--pg", address, "--force"}).rc, storegen::AdminUsage);
    EXPECT_EQ(admin({"migrate", tmp.path()}).rc, storegen::AdminUsage);
}

// An older store (without the tables added since) still opens, and upgrade
// adds them once, leaving the rest as it was.
TEST(AdminCommand, UpgradeAddsTheTablesAnOlderStoreLacks)
{
    QTemporaryDir tmp;
    ASSERT_EQ(admin({"demo", tmp.path()}).rc, storegen::AdminOk);
    const qint64 items = count(tmp.path(), "SELECT count(*) FROM Items");
    {
        db::Store store(tmp.path());
        for (const char *table : {"Sold Line Paid", "Sold Line Tax", "Returned Items"})
            store.database().execute(QStringLiteral("DROP TABLE \"%1\"").arg(table));
        store.database().execute(QStringLiteral("DROP INDEX \"ix_Sales__date of sale\""));
    }
    db::Store older(tmp.path()); // opens all the same
    EXPECT_EQ(db::missingAddedTables(older.database().connection()),
              (QStringList{"Sold Line Paid", "Sold Line Tax", "Returned Items", "Sales (date of sale)"}));

    AdminRun r = admin({"upgrade", tmp.path()});
    ASSERT_EQ(r.rc, storegen::AdminOk) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("Added to the store %1/vanta.mdb: Sold Line Paid, Sold Line Tax, Returned Items, "
                                    "Sales (date of sale).\n")
                         .arg(tmp.path()));
    r = admin({"upgrade", tmp.path()});
    EXPECT_EQ(r.out, QStringLiteral("The store %1/vanta.mdb has every table already.\n").arg(tmp.path()));
    EXPECT_EQ(count(tmp.path(), "SELECT count(*) FROM \"Returned Items\""), 0);
    EXPECT_EQ(count(tmp.path(), "SELECT count(*) FROM Items"), items);
    EXPECT_EQ(admin({"upgrade"}).rc, storegen::AdminUsage);
}
