#pragma once

#include <optional>

#include "bytemodel/bytebuffer.h"

class EditHistory;

/// Stores the bytes typed into a listing through its edit history, so that
/// the two digits typed into one byte make one undo step: the second digit,
/// typed right after the first on the same byte, takes the first digit's step
/// back and makes one that changes the byte from its value before both.
class ByteTyping {
public:
    /// Stores value at offset, typed as the byte's first (0) or second (1)
    /// digit. A value the byte already has changes nothing. Returns whether
    /// the byte changed.
    bool store(EditHistory& history, ByteOffset offset, int digit, std::uint8_t value);
    /// The bytes changed: unless store() is making the change, the next second
    /// digit makes a step of its own, since the last step may no longer be
    /// the first digit's.
    void bytesChanged();

private:
    std::optional<ByteOffset> m_firstDigitAt;  // the byte whose first digit made the last step
    bool m_storing = false;
};
