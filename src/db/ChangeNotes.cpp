#include "db/ChangeNotes.h"

namespace vanta::db {

void ChangeNotes::hear(const QString &note)
{
    // "<table> <part>", a tab and the row's key for a part changed alone;
    // the table otherwise.
    const qsizetype tab = note.indexOf(QLatin1Char('\t'));
    bool isKey = false;
    const qint64 key = tab > 0 ? note.mid(tab + 1).toLongLong(&isKey) : 0;
    const QString name = (tab > 0 ? note.left(tab) : note).toLower();
    const qint64 number = mCounts[name]++;
    if (!isKey) {
        mKeys.remove(name); // a part's note without its key: the keys kept no longer tell all
        return;
    }
    Keys &kept = mKeys[name];
    if (kept.keys.empty())
        kept.first = number;
    kept.keys.push_back(key);
    if (kept.keys.size() > kMostKeys) {
        kept.keys.pop_front();
        ++kept.first;
    }
}

qint64 ChangeNotes::count(const QStringList &names) const
{
    qint64 total = 0;
    for (const QString &name : names)
        total += mCounts.value(name.toLower());
    return total;
}

std::optional<std::vector<qint64>> ChangeNotes::keys(const QString &part, qint64 from, qint64 to) const
{
    if (from == to)
        return std::vector<qint64>();
    const auto kept = mKeys.constFind(part.toLower());
    if (kept == mKeys.constEnd() || from < kept->first || from > to
        || to > kept->first + qint64(kept->keys.size()))
        return std::nullopt;
    return std::vector<qint64>(kept->keys.begin() + (from - kept->first), kept->keys.begin() + (to - kept->first));
}

} // namespace vanta::db
