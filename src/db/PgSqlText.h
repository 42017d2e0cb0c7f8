#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace vanta::db {

// The tables and columns of a server store, spelled exactly as created.
// SQL written for the file store matches names in any case; the server
// matches quoted names exactly, so the text is rewritten to these spellings.
struct NameCatalogue {
    QHash<QString, QString> tables;                   // lower case -> exact
    QHash<QString, QHash<QString, QString>> columns;  // exact table -> lower column -> exact
    QHash<QString, QStringList> anyColumn;            // lower column -> exact spellings in any table

    void addColumn(const QString &table, const QString &column);
};

// The server's text for SQL written for the record layer: `?` placeholders
// become $1, $2, ...; table and column names (quoted or not) take the exact
// spelling of the catalogue, resolved against the tables the statement
// names; LIKE matches without regard to case as on the file store.
// `parameters` receives the number of placeholders.
QString serverSql(const QString &sql, const NameCatalogue &names, int *parameters = nullptr);

} // namespace vanta::db
