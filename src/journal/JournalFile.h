#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace vanta::journal {

// A small file, readable by its user only, that keeps the newest of a series
// of records so that a crash, a kill or a power cut always leaves one intact.
//
// The file holds a few slots; each record goes into a slot that holds
// neither the newest record nor the newest one known to be on disk (nor the
// one being put on disk), with its sequence number and a checksum. Reading
// takes the intact slot with the highest number, so a record torn by a kill
// or a power cut falls back to the one before.
//
// A record is in the kernel's hands when write() returns: a crash or kill of
// the program keeps it. Getting it onto the disk (which survives a power cut
// too) costs a few milliseconds of the disk's time: in Sync::Behind a thread
// of the file's own does it right after each write, so the caller never
// waits; Sync::EachWrite waits for it in write().
class JournalFile {
public:
    enum class Sync { Behind, EachWrite };

    explicit JournalFile(QString path, Sync sync = Sync::Behind);
    ~JournalFile(); // puts what was written on disk first
    JournalFile(const JournalFile &) = delete;
    JournalFile &operator=(const JournalFile &) = delete;

    const QString &path() const { return mPath; }

    // Stores the record as the file's newest. The first write of an instance
    // (or one too large for the slots) makes the file afresh. Throws
    // JournalError when the file cannot be written.
    void write(const QByteArray &record);
    // The newest intact record; none when there is no file. Throws
    // JournalError when the file cannot be read or holds no intact record.
    std::optional<QByteArray> read() const;
    // Waits until every record written is on disk.
    void flush();
    // Removes the file (when this instance has not written it yet) or
    // stores an empty record.
    void clear();
    // Keeps a file that could not be read under another name
    // ("<path>.damaged"), out of the way of the next write. True when done.
    bool setAside();

private:
    struct Handle;
    static constexpr int kSlots = 4;

    void create(const QByteArray &record, qint64 capacity);
    int pickSlot() const;
    void flusherLoop();
    void throwPendingFlushError();

    QString mPath;
    Sync mSync;
    std::shared_ptr<Handle> mHandle; // open once this instance has written
    qint64 mCapacity = 0;            // bytes per slot
    std::array<quint64, kSlots> mSlotSeq{};
    quint64 mSeq = 0;      // numbers the records
    quint64 mLatest = 0;   // newest record written
    quint64 mDurable = 0;  // newest record known to be on disk
    quint64 mInFlight = 0; // record the flusher is putting on disk, 0 for none
    QString mFlushError;   // the flusher's failure, reported by the next write

    std::mutex mMutex;
    std::condition_variable mWake; // a record to flush, or stop
    std::condition_variable mDone; // a flush finished
    bool mStop = false;
    std::thread mFlusher;
};

} // namespace vanta::journal
