#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <vector>

namespace vanta::db {

// The notes of changes a connection has heard, counted by what they name:
// a table ("Items"), or a part of a table's rows changed alone, with the
// row's key after a tab ("Items stock\t42": only the stock of item 42). The keys of the
// latest notes of each part are kept, so that data kept from the rest of
// the table can be brought up to date row by row.
class ChangeNotes {
public:
    // Most keys kept per part; older ones are forgotten.
    static constexpr size_t kMostKeys = 100000;

    void hear(const QString &note);
    // How many notes named any of `names` (tables or parts, any case).
    qint64 count(const QStringList &names) const;
    // The keys of the notes of `part` numbered [from, to); none when some of
    // them are no longer kept or were never heard.
    std::optional<std::vector<qint64>> keys(const QString &part, qint64 from, qint64 to) const;

private:
    struct Keys {
        qint64 first = 0; // the number of the oldest note kept
        std::deque<qint64> keys;
    };
    QHash<QString, qint64> mCounts; // by lower-case name
    QHash<QString, Keys> mKeys;     // by lower-case part
};

} // namespace vanta::db
