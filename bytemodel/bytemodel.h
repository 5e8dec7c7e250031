#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

#include "bytemodel/bytebuffer.h"
#include "bytemodel/bytechange.h"
#include "bytemodel/bytestore.h"
#include "bytemodel/changequeue.h"

class FileBacking;

/// The bytes of one file or pane, the lock that guards them, the edits that
/// change them and one notice, changed(), that says what each edit changed.
///
/// Every read and every edit takes the model's lock for its own duration, so
/// a worker thread may read (or append) while the user-interface thread
/// paints or types; a byte is never read while another thread may move it.
/// Readers copy bytes out (read(), byteAt()) or visit them chunk by chunk
/// (forEachChunk()); nobody holds a reference into the storage, which is a
/// ByteStore: every byte in memory (MemoryStore), or an opened file read
/// lazily with the edits as pieces over it (PieceTable).
///
/// Each edit queues its notice under the lock, so notices keep the order of
/// the edits. changed() is emitted after the lock is released, always on the
/// model's own (the user-interface) thread: at once when that thread made the
/// edit, with every earlier notice first; for a worker's edits once per frame
/// at most, successive appends merged into one notice.
class ByteModel : public QObject {
    Q_OBJECT

public:
    /// Listings show 8-digit addresses: a buffer holds at most 4 GiB - 1 bytes.
    static constexpr qint64 kMaxSize = ByteStore::kMaxSize;

    explicit ByteModel(QObject* parent = nullptr);
    ~ByteModel() override;

    qint64 size() const { return m_size.load(std::memory_order_acquire); }
    bool isEmpty() const { return size() == 0; }

    /// The byte at offset; the caller keeps 0 <= offset < size().
    std::uint8_t byteAt(ByteOffset offset) const;
    /// Copies the bytes from offset into out (up to its size); returns how many were copied.
    qint64 read(ByteOffset offset, std::span<std::uint8_t> out) const;
    /// The bytes [offset, offset + count) clipped to the buffer, as a copy.
    ByteBuffer copy(ByteOffset offset, qint64 count) const;
    /// Hands the bytes [offset, offset + count) to visit in order, in chunks of
    /// at most chunkSize bytes, each copied out under the lock, so the visitor
    /// runs unlocked. visit returns false to stop. Returns false when stopped.
    bool forEachChunk(ByteOffset offset, qint64 count,
                      const std::function<bool(ByteOffset chunkOffset, std::span<const std::uint8_t>)>& visit,
                      qint64 chunkSize = kDefaultChunk) const;
    static constexpr qint64 kDefaultChunk = qint64(1) << 20;

    /// Replaces every byte (a load); announced as a length change from 0.
    void assign(ByteBuffer bytes);
    /// Replaces every byte by the file's, read when asked for; announced as assign().
    void assignFile(std::shared_ptr<const FileBacking> file);
    /// Reads every byte from file from now on, which holds exactly the
    /// model's bytes (it was just saved from them); nothing changes, so
    /// nothing is announced.
    void rebaseOnto(std::shared_ptr<const FileBacking> file);
    /// Where each stretch of the bytes is kept, in order.
    std::vector<StoredRange> storedRanges() const;

    /// Overwrites bytes in place from offset; bytes past the end are not written.
    void setBytes(ByteOffset offset, std::span<const std::uint8_t> bytes);
    /// Runs op on the bytes [offset, offset + count) in place, under the lock,
    /// chunk by chunk in order (each at most kDefaultChunk bytes), so op must
    /// change each byte on its own; op must not call back into the model.
    void modify(ByteOffset offset, qint64 count, const std::function<void(std::span<std::uint8_t>)>& op);
    /// Reverses the order of the bytes [offset, offset + count), clipped to the buffer.
    void reverse(ByteOffset offset, qint64 count);
    /// Inserts bytes before offset. False, with the buffer unchanged, when
    /// offset lies past the end, the result would pass kMaxSize or memory
    /// cannot be had.
    bool insert(ByteOffset offset, std::span<const std::uint8_t> bytes);
    /// Inserts count copies of value before offset; false as insert().
    bool insertFill(ByteOffset offset, qint64 count, std::uint8_t value);
    /// Removes [offset, offset + count), clipped to the buffer.
    void remove(ByteOffset offset, qint64 count);
    /// Keeps [offset, offset + count), clipped to the buffer, as they are now,
    /// for undo: the pieces that hold them where the storage has pieces, so
    /// that nothing is copied. Null when memory cannot be had.
    std::shared_ptr<const KeptBytes> keep(ByteOffset offset, qint64 count) const;
    /// Inserts kept bytes before offset; false as insert().
    bool insertKept(ByteOffset offset, const KeptBytes& kept);
    /// Appends bytes at the end as it is under the lock (a receive worker's
    /// path), announced as Appended; false as insert(). The bytes already
    /// held are never copied.
    bool append(std::span<const std::uint8_t> bytes);

    /// Worker notices reach the views at most once per frame.
    static constexpr int kFrameMs = 16;

signals:
    void changed(const ByteChange& change);

private:
    void replaceStore(std::unique_ptr<ByteStore> store);
    /// Runs edit on the store under the lock unless offset lies past the end
    /// or the size would pass kMaxSize by extra; announces the new length
    /// when edit succeeded.
    template <typename Edit>
    bool changeLength(ByteOffset offset, qint64 extra, const Edit& edit);
    void setSize(qint64 size) { m_size.store(size, std::memory_order_release); }
    /// Under the lock: queues change behind every earlier edit's notice.
    /// True when a worker must wake the model's thread to deliver it.
    bool queueChange(const ByteChange& change);
    /// After the lock: delivers the notices at once on the model's thread,
    /// or wakes that thread when queueChange said so.
    void announce(bool wake);
    /// On the model's thread: delivers the queued notices unless the last
    /// worker delivery was less than a frame ago, then waits for the frame.
    void deliverPaced();
    void deliverNotices();

    mutable std::mutex m_lock;
    std::unique_ptr<ByteStore> m_store;
    std::atomic<qint64> m_size{0};
    ChangeQueue m_pending;       // guarded by m_lock
    bool m_wakeQueued = false;   // guarded by m_lock: a delivery is on its way
    QTimer m_frameTimer{this};
    QElapsedTimer m_sinceDelivery;
};
