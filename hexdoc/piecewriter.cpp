#include "hexdoc/piecewriter.h"

#include <algorithm>

#include "bytemodel/bytemodel.h"
#include "bytemodel/filebacking.h"
#include "safewrite/inplaceorder.h"

namespace PieceWriter {

namespace {

constexpr qint64 kChunk = qint64(1) << 20;

/// Moves each stretch chunk by chunk, each chunk read whole before it is written.
bool runMoves(const std::vector<InPlaceOrder::Move>& moves, const FileBacking& file, const WriteAt& writeAt)
{
    ByteBuffer chunk(static_cast<std::size_t>(kChunk));
    for (const InPlaceOrder::Move& move : moves) {
        for (qint64 done = 0; done < move.count;) {
            const qint64 count = std::min(kChunk, move.count - done);
            const qint64 at = move.fromTheEnd() ? move.count - done - count : done;
            const std::span<std::uint8_t> part(chunk.data(), std::size_t(count));
            file.readDirect(move.from + at, part);
            if (!writeAt(move.to + at, part))
                return false;
            done += count;
        }
    }
    return true;
}

/// Writes the stretches that are not read from file, which need none of its bytes.
bool writeTheRest(const std::vector<StoredRange>& ranges, const FileBacking& file, const ByteModel& bytes,
                  const WriteAt& writeAt)
{
    for (const StoredRange& range : ranges) {
        if (range.file.get() == &file)
            continue;
        const bool written = bytes.forEachChunk(range.offset, range.count, [&writeAt](ByteOffset at, std::span<const std::uint8_t> chunk) {
            return writeAt(at, chunk);
        });
        if (!written)
            return false;
    }
    return true;
}

}  // namespace

bool writeOver(ByteModel& bytes, const FileBacking& file, const QString& path, const WriteAt& writeAt,
               RecoveryFile& recovery, QString& reason)
{
    std::vector<StoredRange> ranges = bytes.storedRanges();
    auto moves = InPlaceOrder::moves(ranges, &file);
    if (!moves || !moves->empty()) {
        recovery = RecoveryFile::write(path, bytes, reason);
        if (recovery.path.isEmpty())
            return false;
    }
    if (!moves) {
        // No order reads every byte first: the bytes are read from the copy instead.
        bytes.rebaseOnto(recovery.file);
        ranges = bytes.storedRanges();
        moves.emplace();
    }
    return runMoves(*moves, file, writeAt) && writeTheRest(ranges, file, bytes, writeAt);
}

}  // namespace PieceWriter
