#include "marking/blockreader.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "bytemodel/bytemodel.h"

BlockReader::BlockReader(const ByteModel& bytes, ByteSpan block, const StopFlag& stop)
    : m_bytes(bytes)
    , m_block(block)
    , m_stop(stop)
    , m_piece(std::size_t(kPieceSize + kMaxValue - 1))
{
}

bool BlockReader::load(ByteOffset pos)
{
    if (holds(pos) && pos == m_first)
        return true;
    if (pos > m_block.last || m_stopped)
        return false;
    if (stopRequested(m_stop)) {
        m_stopped = true;
        return false;
    }
    const qint64 want = std::min<qint64>(qint64(m_piece.size()), m_block.last - pos + 1);
    const qint64 got = m_bytes.read(pos, std::span(m_piece.data(), std::size_t(want)));
    if (got <= 0)
        return false;
    // The buffer cannot shrink while a mark runs; should it, the block ends where the bytes do.
    if (got < want)
        m_block.last = pos + got - 1;
    m_first = pos;
    m_loadedLast = pos + got - 1;
    m_last = std::min(pos + kPieceSize - 1, m_loadedLast);
    return true;
}

ByteOffset BlockReader::find(std::span<const std::uint8_t> value, ByteOffset from)
{
    Q_ASSERT(!value.empty() && qint64(value.size()) <= kMaxValue);
    const qint64 n = qint64(value.size());
    const ByteOffset lastStart = m_block.last - n + 1;
    while (from <= lastStart) {
        if (!holds(from) && !load(from))
            return kNoOffset;
        const ByteOffset stop = std::min(m_last, lastStart);
        const std::uint8_t* const piece = m_piece.data();
        const std::uint8_t* at = piece + (from - m_first);
        const std::uint8_t* const end = piece + (stop - m_first) + 1;
        while (at < end) {
            at = static_cast<const std::uint8_t*>(std::memchr(at, value[0], std::size_t(end - at)));
            if (!at)
                break;
            if (std::memcmp(at + 1, value.data() + 1, std::size_t(n - 1)) == 0)
                return m_first + (at - piece);
            ++at;
        }
        from = stop + 1;
    }
    return kNoOffset;
}

bool BlockReader::matchesAt(ByteOffset pos, std::span<const std::uint8_t> value) const
{
    Q_ASSERT(!value.empty() && qint64(value.size()) <= kMaxValue);
    const qint64 n = qint64(value.size());
    if (pos < m_block.first || pos + n - 1 > m_block.last)
        return false;
    if (pos >= m_first && pos + n - 1 <= m_loadedLast)
        return std::memcmp(m_piece.data() + (pos - m_first), value.data(), std::size_t(n)) == 0;
    std::array<std::uint8_t, kMaxValue> there{};
    const std::span<std::uint8_t> out(there.data(), std::size_t(n));
    return m_bytes.read(pos, out) == n && std::equal(out.begin(), out.end(), value.begin());
}
