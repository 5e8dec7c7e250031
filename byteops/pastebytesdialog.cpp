#include "byteops/pastebytesdialog.h"

#include "byteops/fieldids.h"

PasteBytesDialog::PasteBytesDialog(qint64 fileSize, qint64 start, QWidget* parent)
    : RangeDialog(RangeDialogKind::PasteBytes, fileSize, parent)
{
    addHexField(addForm(), FieldId::StartAddress, QStringLiteral("Start Address (Hex):"), 8);
    finishLayout();
    showAddress(FieldId::StartAddress, start);
}
