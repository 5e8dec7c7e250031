#pragma once

#include <memory>
#include <vector>

#include "bytemodel/bytestore.h"

/// Every byte in memory: new documents, imports, small files, received bytes.
/// The bytes are one vector followed by a tail of fixed-size blocks: bytes
/// added at the end fill the tail, so growing never moves (copies) the bytes
/// already held, however large the buffer. An insert or removal inside the
/// bytes moves them anyway, so it first joins the tail to the vector.
class MemoryStore final : public ByteStore {
public:
    explicit MemoryStore(ByteBuffer bytes = {});

    qint64 size() const override { return qint64(m_head.size()) + m_tailSize; }
    void read(ByteOffset offset, std::span<std::uint8_t> out) const override;
    bool overwrite(ByteOffset offset, std::span<const std::uint8_t> bytes) override;
    bool insert(ByteOffset offset, std::span<const std::uint8_t> bytes) override;
    bool insertFill(ByteOffset offset, qint64 count, std::uint8_t value) override;
    void remove(ByteOffset offset, qint64 count) override;
    std::shared_ptr<const KeptBytes> keep(ByteOffset offset, qint64 count) const override;
    bool insertKept(ByteOffset offset, const KeptBytes& kept) override;
    void modify(ByteOffset offset, qint64 count, qint64 chunkSize,
                const std::function<void(std::span<std::uint8_t>)>& op) override;
    std::vector<StoredRange> ranges() const override;

    static constexpr qint64 kTailBlockSize = qint64(64) << 10;

private:
    /// Calls visit(span, offsetInRange) for the stored pieces of [offset, offset + count), in order.
    template <typename Self, typename Visit>
    static void forEachSpan(Self& self, ByteOffset offset, qint64 count, const Visit& visit);
    std::uint8_t* tailAt(qint64 at) const { return m_tail[std::size_t(at / kTailBlockSize)].get() + at % kTailBlockSize; }
    /// Room for count more bytes at the end, left for the caller to write; false when memory cannot be had.
    bool extendTail(qint64 count);
    /// Moves the tail into the vector with room for extra more bytes; false when memory cannot be had.
    bool joinTail(qint64 extra);
    /// Removes the tail's bytes [from, to), moving the rest down.
    void removeFromTail(qint64 from, qint64 to);

    ByteBuffer m_head;
    std::vector<std::unique_ptr<std::uint8_t[]>> m_tail;
    qint64 m_tailSize = 0;
};
