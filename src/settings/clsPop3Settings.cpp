#include "settings/clsPop3Settings.h"

#include "db/Store.h"
#include "diagnostics/Trace.h"
#include "diagnostics/VantaError.h"

namespace vanta::settings {

namespace {
const QString kTable = QStringLiteral("Pop3Settings");
const char *const kModule = "clsPop3Settings";
} // namespace

clsPop3Settings::clsPop3Settings(db::Store &store) : mStore(store)
{
    load();
}

void clsPop3Settings::ensureTable(db::Store &store)
{
    diag::run(kModule, "ensureTable", [&] {
        db::Database conn = store.ownConnection();
        conn.connection().forgetSchema(); // another connection may have made it
        if (conn.tableExists(kTable)) // compared without regard to case
            return;
        using K = db::FieldSpec::Kind;
        db::Transaction tx(conn.connection());
        conn.createTable(kTable, {{K::Text50, QStringLiteral("HostName"), true},
                                  {K::Text50, QStringLiteral("UserName"), true},
                                  {K::Text50, QStringLiteral("Password"), true},
                                  {K::Text50, QStringLiteral("Email"), true},
                                  {K::Long, QStringLiteral("MailPort"), true},
                                  {K::Text50, QStringLiteral("SMTP"), true}});
        conn.execute(QStringLiteral("INSERT INTO Pop3Settings (HostName, UserName, Password, Email, MailPort, SMTP) "
                                    "VALUES ('', '', '', '', ?, '')"),
                     {DefaultPort});
        tx.commit();
        conn.idle(9);
    });
}

void clsPop3Settings::load()
{
    diag::run(kModule, "Class_Initialize", [&] {
        ensureTable(mStore);
        db::Database conn = mStore.ownConnection();
        db::Recordset rs = conn.openTable(kTable);
        if (rs.eof())
            return;
        const auto copy = [&](const char *column, QString &into) {
            const QVariant v = rs.field(QLatin1String(column));
            if (!v.isNull())
                into = v.toString();
        };
        copy("HostName", mHostName);
        copy("UserName", mUserName);
        copy("Password", mPassword);
        copy("Email", mEMAIL);
        copy("SMTP", mSMTP);
        if (!rs.field(QStringLiteral("MailPort")).isNull())
            mMailPort = db::asLong(rs.field(QStringLiteral("MailPort")));
    });
}

void clsPop3Settings::store()
{
    diag::run(kModule, "SaveSettings", [&] {
        for (const QString *v : {&mHostName, &mUserName, &mPassword, &mEMAIL, &mSMTP})
            if (v->size() > MaxText)
                throw VantaError(3163, QStringLiteral("A mail setting is longer than %1 characters.").arg(MaxText),
                                 QStringLiteral("Vanta mail settings"));
        db::Database conn = mStore.ownConnection();
        if (!conn.tableExists(kTable))
            return;
        const QVariantList values{mHostName, mUserName, mPassword, mEMAIL, mMailPort != 0 ? mMailPort : DefaultPort,
                                  mSMTP};
        db::Transaction tx(conn.connection());
        const int changed = conn.execute(
            QStringLiteral("UPDATE Pop3Settings SET HostName = ?, UserName = ?, Password = ?, Email = ?, "
                           "MailPort = ?, SMTP = ? WHERE rowid = (SELECT min(rowid) FROM Pop3Settings)"),
            values);
        if (changed == 0)
            conn.execute(QStringLiteral("INSERT INTO Pop3Settings (HostName, UserName, Password, Email, MailPort, "
                                        "SMTP) VALUES (?, ?, ?, ?, ?, ?)"),
                         values);
        tx.commit();
    });
}

void clsPop3Settings::setEMAIL(const QString &value) { mEMAIL = value; store(); }
void clsPop3Settings::setHostName(const QString &value) { mHostName = value; store(); }
void clsPop3Settings::setSMTP(const QString &value) { mSMTP = value; store(); }
void clsPop3Settings::setUserName(const QString &value) { mUserName = value; store(); }
void clsPop3Settings::setPassword(const QString &value) { mPassword = value; store(); }
void clsPop3Settings::setMailPort(qint32 value) { mMailPort = value; store(); }

void clsPop3Settings::setAll(const Values &v)
{
    mHostName = v.hostName;
    mSMTP = v.smtp;
    mUserName = v.userName;
    mPassword = v.password;
    mEMAIL = v.email;
    mMailPort = v.mailPort;
    store();
}

} // namespace vanta::settings
