#include "byteops/bitwiseshiftdialog.h"

#include <QButtonGroup>
#include <QFormLayout>

#include "byteops/decimalfield.h"
#include "byteops/fieldids.h"
#include "byteops/hexfield.h"

BitwiseShiftDialog::BitwiseShiftDialog(qint64 fileSize, qint64 start, qint64 end, ShiftChoice choice,
                                       QWidget* parent)
    : RangeDialog(RangeDialogKind::BitwiseShift, fileSize, parent)
    , m_direction(addChoice(QStringLiteral("Bitwise Shift Type"), {QStringLiteral("Left Shift"), QStringLiteral("Right Shift")},
                            int(choice.direction)))
{
    addDecimalField(addForm(), FieldId::ShiftCount, QStringLiteral("Number of Shift (Dec):"), 1)
        ->setText(QString::number(choice.count));
    addBlockFields(QStringLiteral("Apply to block"));
    finishLayout();
    showBlock(start, end);
}

ShiftChoice BitwiseShiftDialog::choice() const
{
    return {ShiftChoice::Direction(m_direction->checkedId()), decimalValue(FieldId::ShiftCount)};
}
