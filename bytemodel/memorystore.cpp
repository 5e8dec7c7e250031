#include "bytemodel/memorystore.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>
#include <type_traits>

#include "bytemodel/largereserve.h"

namespace {

/// A copy of the bytes, which the store cannot share.
class KeptCopy final : public KeptBytes {
public:
    explicit KeptCopy(ByteBuffer bytes)
        : m_bytes(std::move(bytes))
    {
    }
    qint64 size() const override { return qint64(m_bytes.size()); }
    qint64 memoryCost() const override { return qint64(m_bytes.capacity()); }
    bool isIntact() const override { return true; }
    void read(qint64 at, std::span<std::uint8_t> out) const override
    {
        std::memcpy(out.data(), m_bytes.data() + at, out.size());
    }

private:
    ByteBuffer m_bytes;
};

}  // namespace

MemoryStore::MemoryStore(ByteBuffer bytes)
    : m_head(std::move(bytes))
{
}

template <typename Self, typename Visit>
void MemoryStore::forEachSpan(Self& self, ByteOffset offset, qint64 count, const Visit& visit)
{
    using Byte = std::conditional_t<std::is_const_v<Self>, const std::uint8_t, std::uint8_t>;
    const qint64 headSize = qint64(self.m_head.size());
    qint64 done = 0;
    if (offset < headSize) {
        done = std::min(count, headSize - offset);
        visit(std::span<Byte>(self.m_head.data() + offset, std::size_t(done)), qint64(0));
    }
    while (done < count) {
        const qint64 at = offset + done - headSize;
        const qint64 piece = std::min(count - done, kTailBlockSize - at % kTailBlockSize);
        visit(std::span<Byte>(self.tailAt(at), std::size_t(piece)), done);
        done += piece;
    }
}

void MemoryStore::read(ByteOffset offset, std::span<std::uint8_t> out) const
{
    forEachSpan(*this, offset, qint64(out.size()), [out](std::span<const std::uint8_t> piece, qint64 done) {
        std::memcpy(out.data() + done, piece.data(), piece.size());
    });
}

bool MemoryStore::overwrite(ByteOffset offset, std::span<const std::uint8_t> bytes)
{
    forEachSpan(*this, offset, qint64(bytes.size()), [bytes](std::span<std::uint8_t> piece, qint64 done) {
        std::memcpy(piece.data(), bytes.data() + done, piece.size());
    });
    return true;
}

bool MemoryStore::extendTail(qint64 count)
{
    const qint64 size = m_tailSize + count;
    const std::size_t blocks = std::size_t((size + kTailBlockSize - 1) / kTailBlockSize);
    const std::size_t had = m_tail.size();
    try {
        while (m_tail.size() < blocks)
            m_tail.push_back(std::make_unique_for_overwrite<std::uint8_t[]>(std::size_t(kTailBlockSize)));
    } catch (const std::bad_alloc&) {
        m_tail.resize(had);
        return false;
    }
    m_tailSize = size;
    return true;
}

bool MemoryStore::joinTail(qint64 extra)
{
    const std::size_t needed = m_head.size() + std::size_t(m_tailSize + extra);
    if (needed > m_head.capacity()) {
        try {
            reserveLarge(m_head, std::min(std::max(needed, m_head.capacity() + m_head.capacity() / 2), std::size_t(kMaxSize)));
        } catch (const std::bad_alloc&) {
            return false;
        } catch (const std::length_error&) {
            return false;
        }
    }
    for (qint64 at = 0; at < m_tailSize; at += kTailBlockSize) {
        const std::uint8_t* block = tailAt(at);
        m_head.insert(m_head.end(), block, block + std::min(kTailBlockSize, m_tailSize - at));
    }
    m_tail.clear();
    m_tailSize = 0;
    return true;
}

void MemoryStore::removeFromTail(qint64 from, qint64 to)
{
    // The bytes after the gap move down over it, a block's piece at a time.
    for (qint64 source = to, target = from; source < m_tailSize;) {
        const qint64 piece = std::min({m_tailSize - source, kTailBlockSize - source % kTailBlockSize,
                                       kTailBlockSize - target % kTailBlockSize});
        std::memmove(tailAt(target), tailAt(source), std::size_t(piece));
        source += piece;
        target += piece;
    }
    m_tailSize -= to - from;
    m_tail.resize(std::size_t((m_tailSize + kTailBlockSize - 1) / kTailBlockSize));
}

bool MemoryStore::insert(ByteOffset offset, std::span<const std::uint8_t> bytes)
{
    if (offset == size()) {
        if (!extendTail(qint64(bytes.size())))
            return false;
        return overwrite(offset, bytes);
    }
    if (!joinTail(qint64(bytes.size())))
        return false;
    m_head.insert(m_head.begin() + offset, bytes.begin(), bytes.end());
    return true;
}

bool MemoryStore::insertFill(ByteOffset offset, qint64 count, std::uint8_t value)
{
    if (offset == size()) {
        if (!extendTail(count))
            return false;
        forEachSpan(*this, offset, count, [value](std::span<std::uint8_t> piece, qint64) {
            std::memset(piece.data(), value, piece.size());
        });
        return true;
    }
    if (!joinTail(count))
        return false;
    m_head.insert(m_head.begin() + offset, std::size_t(count), value);
    return true;
}

void MemoryStore::remove(ByteOffset offset, qint64 count)
{
    const qint64 headSize = qint64(m_head.size());
    const qint64 headEnd = std::min(offset + count, headSize);
    if (offset < headEnd)
        m_head.erase(m_head.begin() + offset, m_head.begin() + headEnd);
    if (offset + count > headSize)
        removeFromTail(std::max<qint64>(offset - headSize, 0), offset + count - headSize);
}

std::shared_ptr<const KeptBytes> MemoryStore::keep(ByteOffset offset, qint64 count) const
{
    try {
        ByteBuffer bytes(static_cast<std::size_t>(count));
        read(offset, bytes);
        return std::make_shared<KeptCopy>(std::move(bytes));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

bool MemoryStore::insertKept(ByteOffset offset, const KeptBytes& kept)
{
    return insertFill(offset, kept.size(), 0) && overwriteKept(offset, kept);
}

bool MemoryStore::overwriteKept(ByteOffset offset, const KeptBytes& kept)
{
    forEachSpan(*this, offset, kept.size(), [&kept](std::span<std::uint8_t> piece, qint64 done) {
        kept.read(done, piece);
    });
    return true;
}

void MemoryStore::modify(ByteOffset offset, qint64 count, qint64 chunkSize, const ByteOperation& op)
{
    // The bytes are at hand: each chunk is changed where it lies.
    forEachSpan(*this, offset, count, [&](std::span<std::uint8_t> piece, qint64) {
        for (std::size_t at = 0; at < piece.size(); at += std::size_t(chunkSize))
            op(piece.subspan(at, std::min(std::size_t(chunkSize), piece.size() - at)));
    });
}

std::vector<StoredRange> MemoryStore::ranges() const
{
    if (size() == 0)
        return {};
    return {StoredRange{0, size(), nullptr, 0}};
}
