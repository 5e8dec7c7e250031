#pragma once

#include <QMetaType>

#include "bytemodel/bytebuffer.h"

/// What one edit of a ByteModel changed.
struct ByteChange {
    enum class Kind {
        /// Bytes [offset, offset + count) changed in place; the length is the same.
        InPlace,
        /// The length changed; every byte from offset on may have moved.
        Length,
        /// Bytes [offset, offset + count) were added at the end (offset is the
        /// old size); every byte before them stays where it was.
        Appended,
    };
    Kind kind = Kind::InPlace;
    ByteOffset offset = 0;
    /// InPlace and Appended: how many bytes changed or came. Length: the new byte count.
    qint64 count = 0;

    ByteOffset last() const { return offset + count - 1; }
    bool operator==(const ByteChange&) const = default;
};

Q_DECLARE_METATYPE(ByteChange)
