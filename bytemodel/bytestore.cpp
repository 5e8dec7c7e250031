#include "bytemodel/bytestore.h"

#include <algorithm>

void ByteStore::modify(ByteOffset offset, qint64 count, qint64 chunkSize, const ByteOperation& op)
{
    ByteBuffer chunk(std::size_t(std::min(count, chunkSize)));
    for (ByteOffset at = offset; at < offset + count; at += chunkSize) {
        const std::span<std::uint8_t> part(chunk.data(), std::size_t(std::min(chunkSize, offset + count - at)));
        read(at, part);
        op(part);
        overwrite(at, part);
    }
}
