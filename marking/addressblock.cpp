#include "marking/addressblock.h"

#include <algorithm>

std::optional<ByteSpan> clippedBlock(const AddressBlock& block, qint64 size)
{
    if (block.start < 0 || block.end < 0)
        return std::nullopt;
    const ByteOffset first = std::min(block.start, block.end);
    const ByteOffset last = std::min(std::max(block.start, block.end), size - 1);
    if (first > last)
        return std::nullopt;
    return ByteSpan{first, last};
}

AddressBlock defaultMarkBlock(ByteOffset selectedFirst, ByteOffset selectedLast, qint64 size)
{
    if (selectedFirst < 0 || selectedLast < 0 || selectedFirst == selectedLast)
        return {0, size - 1};
    return {selectedFirst, selectedLast};
}
