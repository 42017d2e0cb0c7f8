#pragma once

#include "journal/JournalFile.h"
#include "journal/OpenSale.h"

#include <QString>
#include <optional>

namespace vanta::db {
class Database;
}

namespace vanta::journal {

// The journal of the open sale of one store: a file of its own in the given
// folder (the per-user settings folder), named after the store file's
// canonical path so that each store keeps its own. Kept apart from the store
// database, which belongs to the back-office software.
class SaleJournal {
public:
    SaleJournal(const QString &folder, const QString &storeFile, JournalFile::Sync sync = JournalFile::Sync::Behind);

    static QString pathFor(const QString &folder, const QString &storeFile);
    const QString &path() const { return mFile.path(); }

    // The sale last written; none when no open sale is kept. Throws
    // JournalError when the journal cannot be read.
    std::optional<OpenSale> read() const;
    // Keeps the sale as the open one; an empty sale clears the journal.
    // Throws JournalError when it cannot be written.
    void write(const OpenSale &sale);
    void clear();
    // Waits until everything written is on disk.
    void flush() { mFile.flush(); }
    // Moves an unreadable journal out of the way; true when done.
    bool setAside() { return mFile.setAside(); }

private:
    JournalFile mFile;
    bool mClear = false; // the journal is known to hold no open sale
};

// The sale to offer back at start-up: the journal's open sale, unless the
// store already holds a sale with its number (it was posted and the journal
// not yet cleared); such a journal is cleared. Throws JournalError when the
// journal cannot be read.
std::optional<OpenSale> unfinishedSale(SaleJournal &journal, const db::Database &store);

// "An unfinished sale from <date time> with N items was found. Restore it?"
QString restoreQuestion(const OpenSale &sale);

} // namespace vanta::journal
