#pragma once

#include <optional>
#include <span>
#include <vector>

#include "bytemodel/bytestore.h"

/// The order of writes for a save over the very file the bytes are read
/// from. Each stretch read from that file moves from its old place to its
/// new one; a move may overwrite only bytes that no later move still reads.
/// Stretches that keep their place are not written at all; stretches held
/// elsewhere (memory) are written after every move, since they need no
/// byte of the file.
namespace InPlaceOrder {

struct Move {
    qint64 from = 0;  // where the bytes are in the file now
    qint64 to = 0;    // where they go
    qint64 count = 0;
    /// Copy the last chunk first: the bytes move towards the end over themselves.
    bool fromTheEnd() const { return to > from; }
};

/// The moves of the stretches that file holds, in an order that reads every
/// byte before it is overwritten. Such an order exists when the stretches
/// keep the file's order, never repeat a byte and are none of them derived
/// from the file's bytes, as edits leave them; none (nullopt) otherwise.
std::optional<std::vector<Move>> moves(std::span<const StoredRange> ranges, const FileBacking* file);

}  // namespace InPlaceOrder
