#pragma once

#include "byteops/rangedialog.h"
#include "byteops/shiftchoice.h"

class QButtonGroup;

/// Asks for the shift direction, the number of shifts and the block.
class BitwiseShiftDialog : public RangeDialog {
    Q_OBJECT

public:
    /// start and end are the selected range (-1 shows an empty field); choice
    /// is what the view remembers from the last accepted Shift.
    BitwiseShiftDialog(qint64 fileSize, qint64 start, qint64 end, ShiftChoice choice, QWidget* parent);

    /// The accepted values.
    ShiftChoice choice() const;

private:
    QButtonGroup* m_direction;
};
