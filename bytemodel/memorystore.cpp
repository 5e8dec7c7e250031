#include "bytemodel/memorystore.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>

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
    : m_bytes(std::move(bytes))
{
}

void MemoryStore::read(ByteOffset offset, std::span<std::uint8_t> out) const
{
    std::memcpy(out.data(), m_bytes.data() + offset, out.size());
}

bool MemoryStore::overwrite(ByteOffset offset, std::span<const std::uint8_t> bytes)
{
    std::memcpy(m_bytes.data() + offset, bytes.data(), bytes.size());
    return true;
}

bool MemoryStore::grow(qint64 extra)
{
    const std::size_t needed = m_bytes.size() + std::size_t(extra);
    if (needed <= m_bytes.capacity())
        return true;
    try {
        reserveLarge(m_bytes, std::min(std::max(needed, m_bytes.capacity() + m_bytes.capacity() / 2), std::size_t(kMaxSize)));
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    return true;
}

bool MemoryStore::insert(ByteOffset offset, std::span<const std::uint8_t> bytes)
{
    if (!grow(qint64(bytes.size())))
        return false;
    m_bytes.insert(m_bytes.begin() + offset, bytes.begin(), bytes.end());
    return true;
}

bool MemoryStore::insertFill(ByteOffset offset, qint64 count, std::uint8_t value)
{
    if (!grow(count))
        return false;
    m_bytes.insert(m_bytes.begin() + offset, std::size_t(count), value);
    return true;
}

void MemoryStore::remove(ByteOffset offset, qint64 count)
{
    m_bytes.erase(m_bytes.begin() + offset, m_bytes.begin() + offset + count);
}

std::shared_ptr<const KeptBytes> MemoryStore::keep(ByteOffset offset, qint64 count) const
{
    try {
        return std::make_shared<KeptCopy>(ByteBuffer(m_bytes.begin() + offset, m_bytes.begin() + offset + count));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

bool MemoryStore::insertKept(ByteOffset offset, const KeptBytes& kept)
{
    if (!insertFill(offset, kept.size(), 0))
        return false;
    kept.read(0, std::span(m_bytes.data() + offset, std::size_t(kept.size())));
    return true;
}

bool MemoryStore::overwriteKept(ByteOffset offset, const KeptBytes& kept)
{
    kept.read(0, std::span(m_bytes.data() + offset, std::size_t(kept.size())));
    return true;
}

void MemoryStore::modify(ByteOffset offset, qint64 count, qint64 chunkSize, const ByteOperation& op)
{
    // The bytes are at hand: each chunk is changed where it lies.
    for (ByteOffset at = offset; at < offset + count; at += chunkSize)
        op(std::span(m_bytes.data() + at, std::size_t(std::min(chunkSize, offset + count - at))));
}

std::vector<StoredRange> MemoryStore::ranges() const
{
    if (m_bytes.empty())
        return {};
    return {StoredRange{0, size(), nullptr, 0}};
}
