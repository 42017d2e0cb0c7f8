#include "journal/JournalFile.h"

#include "journal/JournalError.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <algorithm>
#include <chrono>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vanta::journal {

namespace {

constexpr char kMagic[4] = {'V', 'S', 'J', '1'};
constexpr qint64 kHeaderSize = 16; // magic, format, slot capacity, slot count
constexpr qint64 kSlotHead = 12;   // sequence number, record length
constexpr qint64 kHashSize = 32;   // SHA-256 of sequence number, length and record
constexpr qint64 kMinCapacity = 16 * 1024;
constexpr qint64 kMaxFile = 64 * 1024 * 1024;
constexpr std::chrono::milliseconds kFlushGather{10};

QString systemError(int err) { return qt_error_string(err); }

QByteArray slotHash(const char *headAndRecord, qint64 size)
{
    return QCryptographicHash::hash(QByteArrayView(headAndRecord, size), QCryptographicHash::Sha256);
}

QByteArray slotBytes(quint64 seq, const QByteArray &record)
{
    QByteArray out(kSlotHead, Qt::Uninitialized);
    qToLittleEndian<quint64>(seq, out.data());
    qToLittleEndian<quint32>(quint32(record.size()), out.data() + 8);
    out += record;
    out += slotHash(out.constData(), out.size());
    return out;
}

void writeAll(int fd, const QByteArray &bytes, qint64 offset, const QString &path)
{
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.constData() + done, size_t(bytes.size() - done), off_t(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw JournalError(QStringLiteral("%1 could not be written: %2").arg(path, systemError(errno)));
        done += n;
    }
}

void syncFile(int fd, const QString &path)
{
    if (::fdatasync(fd) != 0)
        throw JournalError(QStringLiteral("%1 could not be put on disk: %2").arg(path, systemError(errno)));
}

void syncFolderOf(const QString &path)
{
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return; // the rename stands; only its durability waits for the system
    ::fsync(fd);
    ::close(fd);
}

// The slot capacity for a record of this size: room to grow before the file
// must be made again.
qint64 capacityFor(qint64 recordSize)
{
    qint64 capacity = kMinCapacity;
    while (capacity < 2 * (kSlotHead + recordSize + kHashSize))
        capacity *= 2;
    return capacity;
}

} // namespace

struct JournalFile::Handle {
    explicit Handle(int fd) : fd(fd) {}
    ~Handle() { ::close(fd); }
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;
    int fd;
};

JournalFile::JournalFile(QString path, Sync sync) : mPath(std::move(path)), mSync(sync)
{
    if (mSync == Sync::Behind)
        mFlusher = std::thread([this] { flusherLoop(); });
}

JournalFile::~JournalFile()
{
    if (mFlusher.joinable()) {
        {
            std::lock_guard lock(mMutex);
            mStop = true;
        }
        mWake.notify_all();
        mFlusher.join();
    }
}

void JournalFile::flusherLoop()
{
    std::unique_lock lock(mMutex);
    for (;;) {
        mWake.wait(lock, [this] { return mStop || mLatest > mDurable; });
        if (mLatest <= mDurable)
            return; // stopping with nothing left to flush
        // A burst of changes (scans in quick succession) goes to disk in one
        // flush a moment later, rather than a flush per change competing
        // with the register for the disk and the processor.
        mWake.wait_for(lock, kFlushGather, [this] { return mStop; });
        const std::shared_ptr<Handle> handle = mHandle;
        const quint64 seq = mLatest;
        mInFlight = seq;
        lock.unlock();
        const int rc = ::fdatasync(handle->fd);
        const int err = errno;
        lock.lock();
        mInFlight = 0;
        if (rc != 0)
            mFlushError = QStringLiteral("%1 could not be put on disk: %2").arg(mPath, systemError(err));
        if (handle == mHandle) // a file made afresh meanwhile is on disk already
            mDurable = std::max(mDurable, seq);
        mDone.notify_all();
    }
}

void JournalFile::throwPendingFlushError()
{
    if (mFlushError.isEmpty())
        return;
    const QString error = mFlushError;
    mFlushError.clear();
    throw JournalError(error);
}

int JournalFile::pickSlot() const
{
    int pick = -1;
    for (int i = 0; i < kSlots; ++i) {
        const quint64 s = mSlotSeq[size_t(i)];
        if (s != 0 && (s == mLatest || s == mDurable || s == mInFlight))
            continue; // kept: the newest, the newest on disk, the one going there
        if (pick < 0 || s < mSlotSeq[size_t(pick)])
            pick = i;
    }
    return pick; // with four slots and three kept there is always one
}

void JournalFile::write(const QByteArray &record)
{
    std::unique_lock lock(mMutex);
    throwPendingFlushError();
    if (!mHandle || kSlotHead + record.size() + kHashSize > mCapacity) {
        create(record, capacityFor(record.size()));
        return;
    }
    const int slot = pickSlot();
    const quint64 seq = ++mSeq;
    mSlotSeq[size_t(slot)] = 0; // torn until written whole
    writeAll(mHandle->fd, slotBytes(seq, record), kHeaderSize + slot * mCapacity, mPath);
    mSlotSeq[size_t(slot)] = seq;
    mLatest = seq;
    if (mSync == Sync::EachWrite) {
        syncFile(mHandle->fd, mPath);
        mDurable = seq;
    } else {
        mWake.notify_one();
    }
}

// Writes the whole file beside its place, on disk, then moves it there: the
// old file stays whole until the new one replaces it.
void JournalFile::create(const QByteArray &record, qint64 capacity)
{
    const QString fresh = mPath + QStringLiteral(".new");
    const QByteArray freshName = QFile::encodeName(fresh);
    const int fd = ::open(freshName.constData(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        throw JournalError(QStringLiteral("%1 could not be made: %2").arg(fresh, systemError(errno)));
    auto handle = std::make_shared<Handle>(fd);
    ::fchmod(fd, 0600); // a file left by an earlier run keeps no wider rights
    QByteArray bytes(kHeaderSize + kSlots * capacity, '\0');
    std::copy(std::begin(kMagic), std::end(kMagic), bytes.data());
    qToLittleEndian<quint32>(1, bytes.data() + 4);
    qToLittleEndian<quint32>(quint32(capacity), bytes.data() + 8);
    qToLittleEndian<quint32>(kSlots, bytes.data() + 12);
    const quint64 seq = ++mSeq;
    const QByteArray slot = slotBytes(seq, record);
    std::copy(slot.begin(), slot.end(), bytes.begin() + kHeaderSize);
    writeAll(fd, bytes, 0, fresh);
    syncFile(fd, fresh);
    if (::rename(freshName.constData(), QFile::encodeName(mPath).constData()) != 0)
        throw JournalError(QStringLiteral("%1 could not be replaced: %2").arg(mPath, systemError(errno)));
    syncFolderOf(mPath);
    mHandle = std::move(handle);
    mCapacity = capacity;
    mSlotSeq = {seq, 0, 0, 0};
    mLatest = mDurable = seq;
}

std::optional<QByteArray> JournalFile::read() const
{
    QFile file(mPath);
    if (!file.exists())
        return std::nullopt;
    if (!file.open(QIODevice::ReadOnly))
        throw JournalError(QStringLiteral("%1 cannot be read: %2").arg(mPath, file.errorString()));
    const QByteArray all = file.read(kMaxFile + 1);
    const auto damaged = [this](const char *why) {
        return JournalError(QStringLiteral("%1 %2").arg(mPath, QLatin1String(why)));
    };
    if (all.size() < kHeaderSize || !std::equal(std::begin(kMagic), std::end(kMagic), all.constData()))
        throw damaged("is not a journal of this register or its beginning is damaged");
    const qint64 capacity = qFromLittleEndian<quint32>(all.constData() + 8);
    const qint64 slotCount = qFromLittleEndian<quint32>(all.constData() + 12);
    if (qFromLittleEndian<quint32>(all.constData() + 4) != 1 || slotCount < 1 || slotCount > kSlots
        || capacity < kSlotHead + kHashSize || capacity > kMaxFile)
        throw damaged("has a damaged beginning");
    quint64 bestSeq = 0;
    QByteArray best;
    for (qint64 i = 0; i < slotCount; ++i) {
        const qint64 at = kHeaderSize + i * capacity;
        if (at + kSlotHead > all.size())
            break;
        const quint64 seq = qFromLittleEndian<quint64>(all.constData() + at);
        const qint64 length = qFromLittleEndian<quint32>(all.constData() + at + 8);
        if (seq == 0 || seq <= bestSeq || length > capacity - kSlotHead - kHashSize
            || at + kSlotHead + length + kHashSize > all.size())
            continue;
        const QByteArray hash = all.mid(at + kSlotHead + length, kHashSize);
        if (slotHash(all.constData() + at, kSlotHead + length) != hash)
            continue;
        bestSeq = seq;
        best = all.mid(at + kSlotHead, length);
    }
    if (bestSeq == 0)
        throw damaged("holds no intact record");
    return best;
}

void JournalFile::flush()
{
    std::unique_lock lock(mMutex);
    mDone.wait(lock, [this] { return mLatest <= mDurable; });
    throwPendingFlushError();
}

void JournalFile::clear()
{
    if (mHandle) {
        write(QByteArray());
        return;
    }
    QFile file(mPath);
    if (file.exists() && !file.remove())
        throw JournalError(QStringLiteral("%1 could not be removed: %2").arg(mPath, file.errorString()));
}

bool JournalFile::setAside()
{
    const QString aside = mPath + QStringLiteral(".damaged");
    QFile::remove(aside);
    return QFile::rename(mPath, aside);
}

} // namespace vanta::journal
