#pragma once

#include "byteops/rangedialog.h"

/// Asks where to insert the global byte buffer's bytes.
class PasteBytesDialog : public RangeDialog {
    Q_OBJECT

public:
    /// start is the caret byte; -1 shows an empty field.
    PasteBytesDialog(qint64 fileSize, qint64 start, QWidget* parent);
};
