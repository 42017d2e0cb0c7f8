#include "db/Lookups.h"

#include "db/DbError.h"
#include "db/Store.h"
#include "diagnostics/ApplicationTitle.h"
#include "diagnostics/Trace.h"
#include "platform/NumberText.h"
#include "platform/ProfileFile.h"
#include "platform/Prompt.h"

#include <cmath>
#include <limits>

namespace vanta::db {

namespace {

const char *const kModule = "modPOS";

// A column of the table by its stored spelling; throws when the table or
// the column does not exist.
QString storedColumn(Connection &conn, const QString &table, const QString &column)
{
    const QStringList &columns = conn.tableColumns(table);
    if (columns.isEmpty())
        throw DbError(ErrItemNotFound, QStringLiteral("There is no table \"%1\" in the store.").arg(table));
    for (const QString &c : columns)
        if (c.compare(column, Qt::CaseInsensitive) == 0)
            return c;
    throw DbError(ErrItemNotFound,
                  QStringLiteral("There is no column \"%1\" in table \"%2\".").arg(column, table));
}

} // namespace

bool AttributeHasValues(db::Store &store, qint32 attributeId)
{
    return diag::run(kModule, "AttributeHasValues", false, [&] {
        Recordset rs = store.database().openTable(QStringLiteral("Values"));
        rs.setIndex(QStringLiteral("AttributeID"));
        rs.seek(attributeId);
        return !rs.noMatch();
    });
}

bool NameInUse(db::Store &store, const QString &table, const QString &column, const QString &value)
{
    return diag::run(kModule, "NameInUse", false, [&] {
        const Database db = store.ownConnection();
        const QString col = storedColumn(db.connection(), table, column);
        const QString sql = QStringLiteral("SELECT EXISTS(SELECT 1 FROM %1 WHERE %2 = ? COLLATE NOCASE)")
                                .arg(quoteIdentifier(table), quoteIdentifier(col));
        // A null text would never compare equal; the empty text is meant.
        const QString text = value.isNull() ? QStringLiteral("") : value;
        return db.scalar(sql, {text}).toInt() != 0;
    });
}

QString GetNewName(db::Store &store, platform::Prompt &prompt, const QString &table, const QString &column)
{
    return diag::run(kModule, "GetNewName", QString(), [&] {
        QString kind = table.left(table.size() - 1);
        if (kind.compare(QStringLiteral("Owner"), Qt::CaseInsensitive) == 0)
            kind = QStringLiteral("Vendor");
        const QString ask = QStringLiteral("Enter a name for this ") + kind;
        QString name = prompt.input(ask, kind).value_or(QString());
        while (!name.isEmpty() && NameInUse(store, table, column, name))
            name = prompt
                       .input(QStringLiteral("That name is already in use.  Please enter a new name.\n\n") + ask,
                              kind)
                       .value_or(QString());
        return name;
    });
}

QStringList GetStates(db::Store &store)
{
    return diag::run(kModule, "GetStates", QStringList(), [&] {
        QStringList states;
        Recordset rs = store.database().openQuery(
            QStringLiteral("SELECT * FROM \"States\" ORDER BY \"state\" COLLATE NOCASE"));
        for (; !rs.eof(); rs.moveNext())
            states << rs.text(QStringLiteral("state"));
        return states;
    });
}

qint32 GetID(const QString &key)
{
    return diag::run(kModule, "GetID", qint32(0), [&] {
        // Whole numbers from halves round to the even neighbour, as the
        // conversion to Long always did.
        const double n = std::nearbyint(leadingNumber(key.mid(3)));
        if (n < std::numeric_limits<qint32>::min() || n > std::numeric_limits<qint32>::max())
            throw VantaError(6, QStringLiteral("Overflow"), applicationTitle());
        return qint32(n);
    });
}

qint16 GetCustFieldIndex(qint16 jurisdictionType)
{
    return diag::run(kModule, "GetCustFieldIndex", qint16(0), [&]() -> qint16 {
        static const qint16 positions[] = {6, 2, 5, 3, 15, 4, 16};
        if (jurisdictionType < 0 || jurisdictionType > 6)
            return 0;
        return positions[jurisdictionType];
    });
}

qint32 GetRootItemID(db::Store &store, qint32 variant)
{
    return diag::run(kModule, "GetRootItemID", qint32(-1), [&] {
        Recordset rs = store.ownConnection().openTable(QStringLiteral("Subitems"));
        rs.setIndex(QStringLiteral("SubItemID"));
        rs.seek(variant);
        return rs.noMatch() ? qint32(-1) : asLong(rs.field(QStringLiteral("ItemID")));
    });
}

QString GetIniSetting(const platform::ProfileFile &profile, const QString &section, const QString &key,
                      const QString &defaultValue, int size)
{
    return diag::run(kModule, "GetIniSetting", QString(), [&] {
        return profile.readString(section, key, defaultValue, size);
    });
}

} // namespace vanta::db
