#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace vanta::backup {

// The backups of one store in a folder of backups: "<root>/<store>/", the
// store named by its folder (or server database) and a short hash of its
// full location, so that two stores never share a shelf. Backups are named
// by the moment they were taken, "vanta-YYYYMMDD-HHMMSS.mdb" (".dump" for a
// server store), so the names sort by age.
class BackupShelf {
public:
    static constexpr int Kept = 14;

    BackupShelf(const QString &root, const QString &storeLocation);
    // The user's data folder of backups: ~/.local/share/vanta-pos/backups.
    static QString defaultRoot();

    const QString &folder() const { return mFolder; }
    // A new name for a backup taken at `at`.
    QString nameFor(const QDateTime &at) const;
    // Backups on the shelf, oldest first.
    QStringList backups() const;
    // The newest backup; empty when there is none.
    QString newest() const;
    bool hasBackupFrom(const QDate &day) const;
    // Removes the oldest backups beyond the newest `Kept`.
    void prune() const;

private:
    QString mFolder;
    QString mSuffix;
};

} // namespace vanta::backup
