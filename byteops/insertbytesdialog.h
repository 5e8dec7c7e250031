#pragma once

#include <cstdint>

#include "byteops/rangedialog.h"

/// Asks where to insert how many bytes of which value.
class InsertBytesDialog : public RangeDialog {
    Q_OBJECT

public:
    /// start is the caret byte; -1 shows an empty field. Opens with 0 bytes of 00.
    InsertBytesDialog(qint64 fileSize, qint64 start, QWidget* parent);

    /// The accepted values.
    qint64 count() const;
    std::uint8_t value() const;
};
