#pragma once

#include <cstdint>

#include "byteops/rangedialog.h"

/// Asks which byte value to replace by which, within which block.
class ReplaceBytesDialog : public RangeDialog {
    Q_OBJECT

public:
    /// start and end are the selected range; -1 shows an empty field. Opens with 00 for 00.
    ReplaceBytesDialog(qint64 fileSize, qint64 start, qint64 end, QWidget* parent);

    /// The accepted values.
    std::uint8_t oldValue() const;
    std::uint8_t newValue() const;
};
