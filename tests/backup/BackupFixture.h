#pragma once

#include "db/FileConnection.h"
#include "db/Store.h"

#include <QFile>
#include <QMap>
#include <QStringList>
#include <sys/stat.h>

namespace vanta::test {

// Every row of every table of a store file, each row as one line of text
// (values with their types), in the order of the rows' ids: two stores with
// equal maps hold the same rows.
inline QMap<QString, QStringList> storeRows(const QString &file)
{
    db::FileConnection conn(file, db::Store::defaultKey());
    QMap<QString, QStringList> tables;
    for (const QString &table : conn.tableNames()) {
        db::StatementLease st = conn.prepare("SELECT * FROM " + db::quoteIdentifier(table) + " ORDER BY rowid");
        st->bind({});
        QStringList &rows = tables[table];
        while (st->step()) {
            QStringList values;
            for (int i = 0; i < st->columnCount(); ++i) {
                const QVariant v = st->column(i);
                values << (v.isNull() ? QStringLiteral("NULL") : QString::fromLatin1(v.typeName()) + ':' + v.toString());
            }
            rows << values.join(QLatin1Char('|'));
        }
    }
    return tables;
}

inline int fileMode(const QString &path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return -1;
    return int(st.st_mode & 07777);
}

// Three hundred lines of an archive table: pages of the store that opening
// it never reads.
inline void addArchive(const db::Database &db)
{
    db.execute("CREATE TABLE \"Archive\" (\"Line\" TEXT)");
    for (int i = 0; i < 300; ++i)
        db.execute("INSERT INTO \"Archive\" VALUES (?)", {QString(60, QChar('a' + i % 26))});
}

// Overwrites part of a page near the end of a closed store file: the kind
// of damage a bad disk sector leaves.
inline bool damagePage(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadWrite) || f.size() < 8 * 1024)
        return false;
    f.seek((f.size() / 1024 - 3) * 1024 + 100);
    return f.write(QByteArray(600, '\xAA')) == 600;
}

} // namespace vanta::test
