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
    };
    Kind kind = Kind::InPlace;
    ByteOffset offset = 0;
    /// InPlace: how many bytes changed. Length: the new byte count.
    qint64 count = 0;

    ByteOffset last() const { return offset + count - 1; }
    bool operator==(const ByteChange&) const = default;
};

Q_DECLARE_METATYPE(ByteChange)
