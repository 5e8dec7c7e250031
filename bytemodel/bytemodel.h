#pragma once

#include <QObject>

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <span>

#include "bytemodel/bytebuffer.h"
#include "bytemodel/bytechange.h"

/// The bytes of one file or pane, the lock that guards them, the edits that
/// change them and one notice, changed(), that says what each edit changed.
///
/// Every read and every edit takes the model's lock for its own duration, so
/// a worker thread may read (or append) while the user-interface thread
/// paints or types; a byte is never read while another thread may move it.
/// Readers copy bytes out (read(), byteAt()) or visit them chunk by chunk
/// (forEachChunk()); nobody holds a reference into the storage, so a later
/// storage that reads large files lazily can replace this one.
///
/// changed() is emitted after the lock is released, on the thread that made
/// the edit: views on the user-interface thread connect with the default
/// connection and get it queued when a worker made the edit.
class ByteModel : public QObject {
    Q_OBJECT

public:
    /// Listings show 8-digit addresses: a buffer holds at most 4 GiB - 1 bytes.
    static constexpr qint64 kMaxSize = (qint64(1) << 32) - 1;

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
    /// Overwrites bytes in place from offset; bytes past the end are not written.
    void setBytes(ByteOffset offset, std::span<const std::uint8_t> bytes);
    /// Runs op on the bytes [offset, offset + count) in place, under the lock;
    /// op must not call back into the model.
    void modify(ByteOffset offset, qint64 count, const std::function<void(std::span<std::uint8_t>)>& op);
    /// Inserts bytes before offset (0 <= offset <= size()). False, with the
    /// buffer unchanged, when the result would pass kMaxSize or memory cannot be had.
    bool insert(ByteOffset offset, std::span<const std::uint8_t> bytes);
    /// Inserts count copies of value before offset; false as insert().
    bool insertFill(ByteOffset offset, qint64 count, std::uint8_t value);
    /// Removes [offset, offset + count), clipped to the buffer.
    void remove(ByteOffset offset, qint64 count);
    /// Appends bytes at the end; false as insert().
    bool append(std::span<const std::uint8_t> bytes);

signals:
    void changed(const ByteChange& change);

private:
    bool grow(qint64 extra);
    void setSize(qint64 size) { m_size.store(size, std::memory_order_release); }

    mutable std::mutex m_lock;
    ByteBuffer m_bytes;
    std::atomic<qint64> m_size{0};
};
