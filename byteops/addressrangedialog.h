#pragma once

#include "byteops/rangedialog.h"

/// A dialog that asks only for a start and an end address: Copy, Cut, Delete,
/// Reverse Bytes Sequence, Select Bytes, 1's and 2's Complement.
class AddressRangeDialog : public RangeDialog {
    Q_OBJECT

public:
    /// start and end are the defaults; -1 shows an empty field.
    AddressRangeDialog(RangeDialogKind kind, qint64 fileSize, qint64 start, qint64 end, QWidget* parent);
};
