#pragma once

#include "bytemodel/bytebuffer.h"

/// The bytes an edit leaves to be selected: [offset, offset + count); a count
/// of 0 is a caret before the byte at offset.
struct EditRange {
    ByteOffset offset = 0;
    qint64 count = 0;
    bool operator==(const EditRange&) const = default;
};
