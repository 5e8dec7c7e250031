#pragma once

#include <optional>

#include "bytemodel/bytebuffer.h"

/// A start and an end address as the user gave them: either may be the
/// larger, and kNoOffset stands for an address not given.
struct AddressBlock {
    ByteOffset start = kNoOffset;
    ByteOffset end = kNoOffset;
    bool operator==(const AddressBlock&) const = default;
};

/// The inclusive byte range a block covers in a buffer of `size` bytes: the
/// addresses in ascending order, the upper one lowered to the last byte. None
/// when an address is missing or nothing of the block lies in the buffer.
struct ByteSpan {
    ByteOffset first;
    ByteOffset last;
};
std::optional<ByteSpan> clippedBlock(const AddressBlock& block, qint64 size);

/// The block a Mark dialog opens with: the selected bytes, or the whole file
/// when the selection covers one byte or none.
AddressBlock defaultMarkBlock(ByteOffset selectedFirst, ByteOffset selectedLast, qint64 size);
