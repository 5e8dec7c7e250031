#pragma once

#include "workers/stopflag.h"
#include <cstdint>
#include <span>

#include "bytemodel/bytebuffer.h"
#include "marking/addressblock.h"

class ByteModel;

/// The bytes of one block of a ByteModel, read piece by piece for a forward
/// scan. Each piece is copied out with a few bytes more than its own, so a
/// value of up to kMaxValue bytes that starts in the piece is compared whole.
/// The stop flag is read before every piece; a piece is small enough to be
/// scanned in microseconds, and large enough that a lazily read file gives it
/// straight from the system, past the file's cache of recent blocks.
class BlockReader {
public:
    static constexpr qint64 kPieceSize = 64 * 1024;
    static constexpr qint64 kMaxValue = 4;

    BlockReader(const ByteModel& bytes, ByteSpan block, const StopFlag& stop);

    /// Makes the piece that starts at pos current; false past the block or on a stop.
    bool load(ByteOffset pos);
    /// The current piece's bytes, from its first position on, lookahead included.
    const std::uint8_t* data() const { return m_piece.data(); }
    ByteOffset pieceFirst() const { return m_first; }
    /// The last position the piece owns; the lookahead bytes after it belong to the next.
    ByteOffset pieceLast() const { return m_last; }

    /// The first position from `from` on at which value lies wholly in the
    /// block; kNoOffset when there is none or a stop came (stopped() tells).
    ByteOffset find(std::span<const std::uint8_t> value, ByteOffset from);
    /// Whether value lies at pos, wholly inside the block.
    bool matchesAt(ByteOffset pos, std::span<const std::uint8_t> value) const;

    bool stopped() const { return m_stopped; }

private:
    bool holds(ByteOffset pos) const { return pos >= m_first && pos <= m_last; }

    const ByteModel& m_bytes;
    ByteSpan m_block;
    const StopFlag& m_stop;
    ByteBuffer m_piece;
    ByteOffset m_first = kNoOffset;
    ByteOffset m_last = kNoOffset - 1;
    ByteOffset m_loadedLast = kNoOffset - 1;  // last position copied, lookahead included
    bool m_stopped = false;
};
