#pragma once

#include <deque>
#include <optional>

#include "bytemodel/bytechange.h"

/// The change notices of a byte model not yet announced, in the order of the
/// edits. Appends that follow one another merge into one notice, so a worker
/// appending faster than the views repaint costs them one update, not one
/// per append. The caller guards it with the model's lock.
class ChangeQueue {
public:
    /// Queues change behind every earlier one; true when the queue was empty.
    bool push(const ByteChange& change);
    /// The oldest notice, taken out of the queue.
    std::optional<ByteChange> takeFirst();

private:
    std::deque<ByteChange> m_changes;
};
