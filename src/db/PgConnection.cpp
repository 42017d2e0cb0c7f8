#include "db/PgConnection.h"
#include "db/PgResult.h"

#include "db/DbError.h"
#include "db/Schema.h"

#include <QRegularExpression>
#include <cstdlib>
#include <libpq-fe.h>
#include <vector>

namespace vanta::db {

namespace {

constexpr int kBusyTimeoutMs = 3000;
constexpr char kRowId[] = "rowid";

// Frees a libpq result when it goes out of scope.
using Result = PgResult;

bool isLocalHost(const QString &host)
{
    if (host.isEmpty() || host.startsWith(QLatin1Char('/')) || host.startsWith(QLatin1Char('@'))
        || host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        return true;
    // Loopback addresses: 127.0.0.0/8 and ::1.
    return host.startsWith(QLatin1String("127.")) || host == QLatin1String("::1")
           || host == QLatin1String("[::1]");
}

// The parameters libpq is given: the address itself (dbname with
// expand_dbname), TLS where the server is another host, the password.
struct ConnectParams {
    std::vector<QByteArray> keys;
    std::vector<QByteArray> values;

    void add(const char *key, const QString &value)
    {
        keys.emplace_back(key);
        values.push_back(value.toUtf8());
    }
};

ConnectParams connectParams(const QString &address, const QString &password)
{
    char *error = nullptr;
    PQconninfoOption *options = PQconninfoParse(address.toUtf8().constData(), &error);
    if (!options) {
        const QString why = error ? QString::fromUtf8(error).trimmed() : QString();
        PQfreemem(error);
        throw DbError(ErrStoreAddress, QStringLiteral("The store address '%1' is not valid: %2").arg(address, why));
    }
    QStringList hosts;
    QString sslmode;
    bool hasPassword = false;
    for (PQconninfoOption *o = options; o->keyword; ++o) {
        if (!o->val)
            continue;
        const QString key = QString::fromUtf8(o->keyword);
        const QString value = QString::fromUtf8(o->val);
        if (key == QLatin1String("host") || key == QLatin1String("hostaddr"))
            hosts += value.split(QLatin1Char(','));
        else if (key == QLatin1String("sslmode"))
            sslmode = value;
        else if (key == QLatin1String("password"))
            hasPassword = !value.isEmpty();
    }
    PQconninfoFree(options);
    if (hasPassword)
        throw DbError(ErrStoreAddress,
                      QStringLiteral("The store address must not hold the password: put it in the password "
                                     "file (~/.pgpass) or in the register's settings."));
    bool remote = false;
    for (const QString &h : hosts)
        remote = remote || !isLocalHost(h.trimmed());
    ConnectParams p;
    p.add("dbname", address);
    if (remote) {
        static const QStringList secure = {QStringLiteral("require"), QStringLiteral("verify-ca"),
                                           QStringLiteral("verify-full")};
        if (sslmode.isEmpty())
            p.add("sslmode", QStringLiteral("require"));
        else if (!secure.contains(sslmode))
            throw DbError(ErrStoreAddress,
                          QStringLiteral("The store server '%1' is another computer: the connection must be "
                                         "encrypted (sslmode=require), not sslmode=%2.")
                              .arg(hosts.join(QLatin1Char(',')), sslmode));
    }
    if (!password.isEmpty())
        p.add("password", password);
    p.add("connect_timeout", QStringLiteral("5"));
    p.add("application_name", QStringLiteral("vanta-pos"));
    return p;
}

} // namespace

QString PgConnection::toolAddress(const QString &address)
{
    const ConnectParams p = connectParams(address, QString());
    for (size_t i = 0; i < p.keys.size(); ++i)
        if (p.keys[i] == "sslmode")
            return address + (address.contains(QLatin1Char('?')) ? QLatin1Char('&') : QLatin1Char('?'))
                   + QStringLiteral("sslmode=") + QString::fromUtf8(p.values[i]);
    return address;
}

namespace {

// The address as shown in messages: without any password.
QString shownAddress(const QString &address)
{
    QString shown = address;
    shown.replace(QRegularExpression(QStringLiteral(":[^:@/]*@")), QStringLiteral("@"));
    return shown;
}

QString serverMessage(PGconn *conn, PGresult *result)
{
    QString msg = QString::fromUtf8(result ? PQresultErrorMessage(result) : PQerrorMessage(conn)).trimmed();
    if (msg.isEmpty())
        msg = QString::fromUtf8(PQerrorMessage(conn)).trimmed();
    return msg;
}

// ------------------------------------------------------------- PgStatement

class PgStatement final : public Statement {
public:
    PgStatement(PgConnection &conn, const QString &sql);
    ~PgStatement() override;
    void bind(const QVariantList &params) override;
    bool step() override;
    void reset() override;
    int changedRows() const override { return mChanged; }
    QVariant column(int i) const override;
    std::string_view utf8(int i) const override;
    double real(int i) const override;
    bool isNull(int i) const override;
    bool isNumber(int i) const override;

private:
    void prepareOnServer();
    void runOnce();
    int at(int i) const { return mVisible[size_t(i)]; }

    PgConnection &mConn;
    QByteArray mText;
    QByteArray mName;
    int mParameters = 0;
    int mPreparedIn = -1; // the connection generation it was prepared in
    std::vector<QByteArray> mValues;
    std::vector<char> mNull;
    PGresult *mResult = nullptr;
    bool mRan = false;
    int mRow = -1;
    int mRows = 0;
    int mChanged = 0;
    std::vector<int> mVisible; // result column of each visible column
    std::vector<char> mKinds;
};

PgStatement::PgStatement(PgConnection &conn, const QString &sql) : Statement(sql), mConn(conn)
{
    mText = serverSql(sql, conn.names(), &mParameters).toUtf8();
    mName = conn.nextStatementName();
    prepareOnServer();
}

PgStatement::~PgStatement()
{
    PQclear(mResult);
    PGconn *c = mConn.handle();
    if (!mConn.closing() && mPreparedIn == mConn.generation() && PQstatus(c) == CONNECTION_OK
        && PQtransactionStatus(c) != PQTRANS_INERROR)
        PQclear(PQexec(c, ("DEALLOCATE " + mName).constData()));
}

void PgStatement::prepareOnServer()
{
    // A connection that died while idle (the server restarted) is opened
    // again once outside a transaction, as for a run: preparing changes nothing.
    for (int attempt = 0;; ++attempt) {
        mConn.ensureConnected();
        Result prepared(PQprepare(mConn.handle(), mName.constData(), mText.constData(), mParameters, nullptr));
        if (prepared.ok())
            break;
        if (attempt == 0 && PQstatus(mConn.handle()) == CONNECTION_BAD && !mConn.inTransaction())
            continue;
        mConn.fail(prepared.r, QStringLiteral("preparing: ") + mSql);
    }
    PGconn *c = mConn.handle();
    Result described(PQdescribePrepared(c, mName.constData()));
    if (!described.ok())
        mConn.fail(described.r, QStringLiteral("preparing: ") + mSql);
    mPreparedIn = mConn.generation();
    QStringList names;
    mVisible.clear();
    mKinds.clear();
    const int n = PQnfields(described.r);
    for (int i = 0; i < n; ++i) {
        const QString name = QString::fromUtf8(PQfname(described.r, i));
        if (name == QLatin1String(kRowId))
            continue; // the server's row number behind `*`
        names << name;
        mVisible.push_back(i);
        mKinds.push_back(mConn.typeKind(PQftype(described.r, i)));
    }
    setColumnNames(names);
}

void PgStatement::bind(const QVariantList &params)
{
    reset();
    if (params.size() != mParameters)
        throw DbError(EngineBase + 25, QStringLiteral("The statement expects %1 values but was given %2: %3")
                                           .arg(mParameters).arg(params.size()).arg(mSql));
    mValues.assign(size_t(mParameters), QByteArray());
    mNull.assign(size_t(mParameters), 0);
    for (int i = 0; i < mParameters; ++i) {
        const QVariant &v = params[i];
        QByteArray &out = mValues[size_t(i)];
        if (v.isNull()) {
            mNull[size_t(i)] = 1;
            continue;
        }
        switch (v.typeId()) {
        case QMetaType::Bool:
            out = v.toBool() ? "1" : "0";
            break;
        case QMetaType::Float: case QMetaType::Double:
            // Whole values without a point, so they also fit integer columns.
            out = QByteArray::number(v.toDouble(), 'g', 17);
            break;
        case QMetaType::QDateTime:
            out = v.toDateTime().toString(Qt::ISODate).toUtf8();
            break;
        case QMetaType::QByteArray: {
            size_t length = 0;
            const QByteArray raw = v.toByteArray();
            unsigned char *escaped = PQescapeByteaConn(mConn.handle(),
                                                       reinterpret_cast<const unsigned char *>(raw.constData()),
                                                       size_t(raw.size()), &length);
            out = QByteArray(reinterpret_cast<const char *>(escaped));
            PQfreemem(escaped);
            break;
        }
        default:
            out = v.toString().toUtf8();
        }
    }
}

void PgStatement::runOnce()
{
    if (mValues.size() != size_t(mParameters)) {
        mValues.assign(size_t(mParameters), QByteArray());
        mNull.assign(size_t(mParameters), 1);
    }
    std::vector<const char *> values(static_cast<size_t>(mParameters));
    for (size_t i = 0; i < values.size(); ++i)
        values[i] = mNull[i] ? nullptr : mValues[i].constData();
    // A connection lost outside a transaction is opened again once.
    for (int attempt = 0;; ++attempt) {
        if (mPreparedIn != mConn.generation())
            prepareOnServer();
        mResult = PQexecPrepared(mConn.handle(), mName.constData(), mParameters, values.data(), nullptr,
                                 nullptr, 0);
        const ExecStatusType s = PQresultStatus(mResult);
        if (s == PGRES_COMMAND_OK || s == PGRES_TUPLES_OK)
            break;
        if (attempt == 0 && PQstatus(mConn.handle()) == CONNECTION_BAD && !mConn.inTransaction()) {
            PQclear(mResult);
            mResult = nullptr;
            mConn.ensureConnected();
            continue;
        }
        PGresult *failed = mResult;
        mResult = nullptr;
        Result hold(failed);
        mConn.fail(failed, mSql);
    }
    mRows = PQntuples(mResult);
    mChanged = std::atoi(PQcmdTuples(mResult));
    mRan = true;
    mRow = -1;
}

bool PgStatement::step()
{
    if (!mRan)
        runOnce();
    if (mRow < mRows)
        ++mRow;
    return mRow < mRows;
}

void PgStatement::reset()
{
    PQclear(mResult);
    mResult = nullptr;
    mRan = false;
    mRow = -1;
    mRows = 0;
}

bool PgStatement::isNull(int i) const
{
    return !mResult || mRow < 0 || mRow >= mRows || PQgetisnull(mResult, mRow, at(i));
}

bool PgStatement::isNumber(int i) const
{
    return !isNull(i) && (mKinds[size_t(i)] == 'i' || mKinds[size_t(i)] == 'f');
}

std::string_view PgStatement::utf8(int i) const
{
    if (isNull(i))
        return {};
    return std::string_view(PQgetvalue(mResult, mRow, at(i)), size_t(PQgetlength(mResult, mRow, at(i))));
}

double PgStatement::real(int i) const
{
    if (isNull(i))
        return 0;
    const char *text = PQgetvalue(mResult, mRow, at(i));
    if (mKinds[size_t(i)] == 'b')
        return text[0] == 't' ? 1 : 0;
    return std::strtod(text, nullptr);
}

QVariant PgStatement::column(int i) const
{
    if (isNull(i))
        return QVariant();
    const char *text = PQgetvalue(mResult, mRow, at(i));
    switch (mKinds[size_t(i)]) {
    case 'i':
        return QVariant(qlonglong(std::strtoll(text, nullptr, 10)));
    case 'f':
        return QVariant(std::strtod(text, nullptr));
    case 'b':
        return QVariant(qlonglong(text[0] == 't' ? 1 : 0));
    case 'x': {
        size_t length = 0;
        unsigned char *raw = PQunescapeBytea(reinterpret_cast<const unsigned char *>(text), &length);
        QByteArray bytes(reinterpret_cast<const char *>(raw), qsizetype(length));
        PQfreemem(raw);
        return QVariant(bytes);
    }
    default:
        return QVariant(QString::fromUtf8(text, PQgetlength(mResult, mRow, at(i))));
    }
}

} // namespace

// ------------------------------------------------------------ PgConnection

PgConnection::PgConnection(const QString &address, const QString &password) : Connection(shownAddress(address))
{
    const ConnectParams p = connectParams(address, password);
    std::vector<const char *> keys;
    std::vector<const char *> values;
    for (size_t i = 0; i < p.keys.size(); ++i) {
        keys.push_back(p.keys[i].constData());
        values.push_back(p.values[i].constData());
    }
    keys.push_back(nullptr);
    values.push_back(nullptr);
    mConn = PQconnectdbParams(keys.data(), values.data(), 1);
    if (PQstatus(mConn) != CONNECTION_OK) {
        const QString why = QString::fromUtf8(PQerrorMessage(mConn)).trimmed();
        PQfinish(mConn);
        mConn = nullptr;
        throw DbError(ErrServerGone, QStringLiteral("Could not connect to the store server '%1': %2").arg(mPath, why));
    }
    run("SET client_encoding = 'UTF8'");
    setBusyTimeout(kBusyTimeoutMs);
    if (changeNotesReady())
        listen();
}

PgConnection::~PgConnection()
{
    mClosing = true; // the statements go with the connection
    clearStatements();
    PQfinish(mConn);
}

void PgConnection::run(const char *sql)
{
    // A connection that died while idle (the server restarted) shows only
    // when it is next used: outside a transaction it is opened again and the
    // command sent once more, so a sale begun after the restart posts.
    for (int attempt = 0;; ++attempt) {
        ensureConnected();
        Result r(PQexec(mConn, sql));
        if (r.ok())
            return;
        if (attempt == 0 && PQstatus(mConn) == CONNECTION_BAD && !mOpenTransaction)
            continue;
        fail(r.r, QString::fromUtf8(sql));
    }
}

void PgConnection::ensureConnected()
{
    if (PQstatus(mConn) == CONNECTION_OK)
        return;
    if (mOpenTransaction)
        throw DbError(ErrServerGone, QStringLiteral("The connection to the store server '%1' was lost; "
                                                    "the changes in progress were not stored.")
                                         .arg(mPath));
    PQreset(mConn);
    if (PQstatus(mConn) != CONNECTION_OK)
        throw DbError(ErrServerGone,
                      QStringLiteral("The store server '%1' cannot be reached: %2")
                          .arg(mPath, QString::fromUtf8(PQerrorMessage(mConn)).trimmed()));
    ++mGeneration;
    Result enc(PQexec(mConn, "SET client_encoding = 'UTF8'"));
    Result lock(PQexec(mConn, QByteArray("SET lock_timeout = " + QByteArray::number(mBusyMs)).constData()));
    if (mListening) {
        // Notes sent while the connection was lost are missed: the new
        // generation changes every stamp.
        Result listening(PQexec(mConn, "LISTEN vanta_changes"));
    }
}

QByteArray PgConnection::nextStatementName() { return "vanta_" + QByteArray::number(++mNextName); }

void PgConnection::fail(PGresult *result, const QString &context)
{
    const QString msg = serverMessage(mConn, result);
    const char *state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    const QByteArray code = state ? QByteArray(state) : QByteArray();
    if (PQstatus(mConn) == CONNECTION_BAD || code.startsWith("08"))
        throw DbError(ErrServerGone, QStringLiteral("The connection to the store server '%1' was lost: %2")
                                         .arg(mPath, msg));
    if (code == "40001" || code == "40P01")
        throw DbError(ErrConflict, QStringLiteral("Another register changed the same records at the same "
                                                  "moment. Please try again."));
    if (code == "55P03")
        throw DbError(ErrBusy, QStringLiteral("The store database is locked by another program. "
                                              "Please try again in a moment."));
    if (code == "23505")
        throw DbError(ErrDuplicateKey, msg + QStringLiteral(" (") + context + QLatin1Char(')'));
    throw DbError(EngineBase + 1, msg + QStringLiteral(" (") + context + QLatin1Char(')'));
}

char PgConnection::typeKind(unsigned oid)
{
    auto it = mKinds.constFind(oid);
    if (it != mKinds.constEnd())
        return *it;
    // Domains read as their base type.
    const QByteArray sql = "SELECT CASE WHEN t.typtype = 'd' THEN t.typbasetype ELSE t.oid END "
                           "FROM pg_type t WHERE t.oid = " + QByteArray::number(oid);
    Result r(PQexec(mConn, sql.constData()));
    unsigned base = oid;
    if (r.ok() && PQntuples(r.r) == 1)
        base = unsigned(std::strtoul(PQgetvalue(r.r, 0, 0), nullptr, 10));
    char kind = 't';
    switch (base) {
    case 20: case 21: case 23: case 26: kind = 'i'; break;   // int8, int2, int4, oid
    case 700: case 701: case 1700: kind = 'f'; break;        // float4, float8, numeric
    case 16: kind = 'b'; break;                              // bool
    case 17: kind = 'x'; break;                              // bytea
    default: break;
    }
    mKinds.insert(oid, kind);
    return kind;
}

void PgConnection::begin()
{
    run("BEGIN ISOLATION LEVEL READ COMMITTED");
    mOpenTransaction = true;
}

void PgConnection::beginSnapshot()
{
    run("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY");
    mOpenTransaction = true;
}

void PgConnection::commit()
{
    ensureConnected();
    Result r(PQexec(mConn, "COMMIT"));
    mOpenTransaction = false;
    if (!r.ok())
        fail(r.r, QStringLiteral("COMMIT"));
    // A transaction that failed earlier ends in a rollback, not a commit.
    if (qstrcmp(PQcmdStatus(r.r), "ROLLBACK") == 0)
        throw DbError(EngineBase + 2, QStringLiteral("The changes could not be stored: the transaction had "
                                                     "failed and was rolled back."));
}

void PgConnection::rollback()
{
    mOpenTransaction = false;
    if (mConn && PQstatus(mConn) == CONNECTION_OK && PQtransactionStatus(mConn) != PQTRANS_IDLE)
        PQclear(PQexec(mConn, "ROLLBACK"));
}

bool PgConnection::inTransaction() const
{
    if (mOpenTransaction)
        return true;
    if (!mConn || PQstatus(mConn) != CONNECTION_OK)
        return false;
    const PGTransactionStatusType s = PQtransactionStatus(mConn);
    return s == PQTRANS_INTRANS || s == PQTRANS_INERROR || s == PQTRANS_ACTIVE;
}

QPair<qint64, qint64> PgConnection::changeStamp()
{
    // The server's snapshot lists the transactions not yet visible: it
    // changes whenever a commit becomes visible (and when a writer starts).
    // The write-ahead log position would not do: it moves on before the
    // commit is visible, so rows read in between could be kept as current.
    const QByteArray snapshot = scalar(QStringLiteral("SELECT pg_current_snapshot()::text")).toString().toUtf8();
    return {qint64(qHash(snapshot)), qint64(mGeneration)};
}

void PgConnection::setBusyTimeout(int ms)
{
    mBusyMs = ms;
    run(QByteArray("SET lock_timeout = " + QByteArray::number(ms)).constData());
}

QString PgConnection::extraColumns() const
{
    return QStringLiteral(", \"%1\" bigint GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY").arg(QLatin1String(kRowId));
}

void PgConnection::loadCatalogue()
{
    mNames = NameCatalogue();
    mInfo.clear();
    ensureConnected();
    Result r(PQexec(mConn, "SELECT c.relname, a.attname, t.typname, format_type(a.atttypid, a.atttypmod) "
                           "FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace "
                           "JOIN pg_attribute a ON a.attrelid = c.oid AND a.attnum > 0 AND NOT a.attisdropped "
                           "JOIN pg_type t ON t.oid = a.atttypid "
                           "WHERE c.relkind IN ('r', 'p', 'v') AND n.nspname = current_schema() "
                           "ORDER BY c.relname, a.attnum"));
    if (!r.ok())
        fail(r.r, QStringLiteral("reading the tables of the store"));
    for (int row = 0; row < PQntuples(r.r); ++row) {
        const QString table = QString::fromUtf8(PQgetvalue(r.r, row, 0));
        const QString column = QString::fromUtf8(PQgetvalue(r.r, row, 1));
        if (column == QLatin1String(kRowId))
            continue;
        mNames.addColumn(table, column);
        const QString type = QString::fromUtf8(PQgetvalue(r.r, row, 2));
        const std::optional<ColumnType> ours = columnTypeFromServerType(type);
        TableInfo &info = mInfo[table];
        info.columns << column;
        info.lowerTypes.insert(column.toLower(), ours ? declaredType(*ours)
                                                      : QString::fromUtf8(PQgetvalue(r.r, row, 3)).toUpper());
    }
    mCatalogueLoaded = true;
}

const NameCatalogue &PgConnection::names()
{
    if (!mCatalogueLoaded)
        loadCatalogue();
    return mNames;
}

void PgConnection::forgetSchema()
{
    Connection::forgetSchema();
    mCatalogueLoaded = false;
    // Statements keep the spelling they were prepared with; tables are
    // created before anything reads them.
}

Connection::TableInfo PgConnection::loadTableInfo(const QString &table)
{
    const QString exact = names().tables.value(table.toLower());
    return mInfo.value(exact);
}

QStringList PgConnection::tableNames() { return QStringList(names().tables.values()); }

std::unique_ptr<Statement> PgConnection::makeStatement(const QString &sql)
{
    return std::make_unique<PgStatement>(*this, sql);
}

} // namespace vanta::db
