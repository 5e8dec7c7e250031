#include "byteops/gotodialog.h"

#include "byteops/fieldids.h"
#include "byteops/hexfield.h"

GoToDialog::GoToDialog(qint64 fileSize, qint64 address, QWidget* parent)
    : RangeDialog(RangeDialogKind::GoTo, fileSize, parent)
{
    addHexField(addForm(), FieldId::GoToAddress, QStringLiteral("Go To Address (Hex):"), 8);
    finishLayout();
    showEndAddress(FieldId::GoToAddress, address);
}

qint64 GoToDialog::address() const
{
    return hexValue(FieldId::GoToAddress);
}
