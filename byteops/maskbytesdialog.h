#pragma once

#include "byteops/maskchoice.h"
#include "byteops/rangedialog.h"

class QButtonGroup;

/// Asks for the mask type, the mask value and the block.
class MaskBytesDialog : public RangeDialog {
    Q_OBJECT

public:
    /// start and end are the selected range (-1 shows an empty field); choice
    /// is what the view remembers from the last accepted Mask.
    MaskBytesDialog(qint64 fileSize, qint64 start, qint64 end, MaskChoice choice, QWidget* parent);

    /// The accepted values.
    MaskChoice choice() const;

private:
    QButtonGroup* m_type;
};
