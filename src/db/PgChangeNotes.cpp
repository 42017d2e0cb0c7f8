// How a server store's tables tell of their changes: a trigger on every
// table sends a note (PostgreSQL NOTIFY, delivered with the commit) naming
// the table; where a sale changes only a row's stock or a customer's
// balance, the note names that part and the row's key instead ("Items
// stock", a tab, "42"). Every connection listens and counts the notes (ChangeNotes),
// so that data kept from a few tables stays kept while other tables change,
// and the rows whose stock changed can be read again alone.
#include "db/PgConnection.h"

#include "db/DbError.h"
#include "db/PgResult.h"
#include "db/Schema.h"

#include <libpq-fe.h>

namespace vanta::db {

namespace {

const char *const kChannel = "vanta_changes";

// The parts of rows a sale changes alone: the part's name, the table's key
// and the part's columns.
struct Part {
    QString name;
    QString key;
    QStringList columns;
};
const QHash<QString, Part> &parts()
{
    static const QHash<QString, Part> all{
        {QStringLiteral("Items"),
         {QStringLiteral("stock"), QStringLiteral("Item Index"), {QStringLiteral("qty"), QStringLiteral("total qty sold")}}},
        {QStringLiteral("Subitems"), {QStringLiteral("stock"), QStringLiteral("SubItemID"), {QStringLiteral("quantity")}}},
        {QStringLiteral("Customers"), {QStringLiteral("balance"), QStringLiteral("Cust ID"), {QStringLiteral("balance")}}}};
    return all;
}

QString quoted(const QString &name) { return QLatin1Char('"') + QString(name).replace('"', "\"\"") + QLatin1Char('"'); }
QString literal(const QString &text) { return QLatin1Char('\'') + QString(text).replace('\'', "''") + QLatin1Char('\''); }

const char *const kNoteChange = R"(CREATE OR REPLACE FUNCTION vanta_note_change() RETURNS trigger LANGUAGE plpgsql AS $f$
BEGIN
    PERFORM pg_notify('vanta_changes', TG_TABLE_NAME);
    RETURN NULL;
END
$f$)";

// A row whose other columns stayed as they were changed the part alone.
// Arguments: the part's name, the key column, the part's columns.
const char *const kNotePart = R"(CREATE OR REPLACE FUNCTION vanta_note_part() RETURNS trigger LANGUAGE plpgsql AS $f$
BEGIN
    IF (to_jsonb(OLD) - TG_ARGV[2:]) = (to_jsonb(NEW) - TG_ARGV[2:])
       AND (to_jsonb(NEW) ->> TG_ARGV[1]) ~ '^-?[0-9]+$' THEN
        PERFORM pg_notify('vanta_changes', TG_TABLE_NAME || ' ' || TG_ARGV[0] || E'\t' || (to_jsonb(NEW) ->> TG_ARGV[1]));
    ELSE
        PERFORM pg_notify('vanta_changes', TG_TABLE_NAME);
    END IF;
    RETURN NULL;
END
$f$)";

} // namespace

bool PgConnection::changeNotesReady()
{
    // Every table of the store's own that exists tells of its changes; the
    // tables the register makes for itself, and others of the database,
    // are not needed for it.
    QStringList names;
    for (const TableDef &t : storeTables())
        if (!t.createdByRegister)
            names << literal(t.name);
    const QByteArray sql =
        QStringLiteral("SELECT EXISTS (SELECT 1 FROM pg_proc p JOIN pg_namespace n ON n.oid = p.pronamespace "
                       "WHERE n.nspname = current_schema() AND p.proname = 'vanta_note_part') "
                       "AND NOT EXISTS (SELECT 1 FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace "
                       "WHERE n.nspname = current_schema() AND c.relkind = 'r' AND c.relname IN (%1) AND NOT EXISTS "
                       "(SELECT 1 FROM pg_trigger t WHERE t.tgrelid = c.oid AND t.tgname = 'vanta_changes'))")
            .arg(names.join(QStringLiteral(", ")))
            .toUtf8();
    ensureConnected();
    PgResult r(PQexec(mConn, sql.constData()));
    if (!r.ok())
        fail(r.r, QStringLiteral("reading the change notes"));
    return PQntuples(r.r) == 1 && PQgetvalue(r.r, 0, 0)[0] == 't';
}

void PgConnection::setUpChangeNotes()
{
    run(kNoteChange);
    run(kNotePart);
    forgetSchema();
    for (const QString &table : tableNames()) {
        const auto part = parts().constFind(table);
        QString sql;
        if (part == parts().constEnd()) {
            sql = QStringLiteral("CREATE OR REPLACE TRIGGER vanta_changes AFTER INSERT OR UPDATE OR DELETE OR TRUNCATE "
                                 "ON %1 FOR EACH STATEMENT EXECUTE FUNCTION vanta_note_change()")
                      .arg(quoted(table));
        } else {
            QStringList args{literal(part->name), literal(part->key)};
            for (const QString &column : part->columns)
                args << literal(column);
            sql = QStringLiteral("CREATE OR REPLACE TRIGGER vanta_changes AFTER INSERT OR DELETE OR TRUNCATE ON %1 "
                                 "FOR EACH STATEMENT EXECUTE FUNCTION vanta_note_change(); "
                                 "CREATE OR REPLACE TRIGGER vanta_part AFTER UPDATE ON %1 "
                                 "FOR EACH ROW EXECUTE FUNCTION vanta_note_part(%2)")
                      .arg(quoted(table), args.join(QStringLiteral(", ")));
        }
        run(sql.toUtf8().constData());
    }
    listen();
}

void PgConnection::listen()
{
    run(QByteArray("LISTEN ").append(kChannel).constData());
    mListening = true;
}

std::optional<QPair<qint64, qint64>> PgConnection::tablesStamp(const QStringList &tables)
{
    // Notes wait on the server while a transaction is open: the whole
    // store's stamp answers then. A lost connection may have missed some:
    // it is opened again, which changes every stamp.
    if (!mListening || mOpenTransaction)
        return std::nullopt;
    if (PQstatus(mConn) != CONNECTION_OK || !PQconsumeInput(mConn)) {
        ensureConnected();
        if (PQstatus(mConn) != CONNECTION_OK || !PQconsumeInput(mConn))
            return std::nullopt;
    }
    while (PGnotify *note = PQnotifies(mConn)) {
        mNotes.hear(QString::fromUtf8(note->extra));
        PQfreemem(note);
    }
    // Told apart from changeStamp()'s answers by the sign of the second half.
    return QPair<qint64, qint64>{mNotes.count(tables), -1 - qint64(mGeneration)};
}

void PgConnection::awaitNotes()
{
    if (!mListening || mOpenTransaction)
        return;
    // The server hands over the notes it holds for this connection before it
    // says it is ready again, and another connection's commit has told it
    // of its notes before the commit returned: an empty statement brings
    // every note of a commit that ended before it.
    run("");
}

std::optional<std::vector<qint64>> PgConnection::changedKeys(const QString &part, qint64 from, qint64 to)
{
    return mNotes.keys(part, from, to);
}

} // namespace vanta::db
