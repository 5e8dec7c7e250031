#include "byteops/insertbytesdialog.h"

#include <QFormLayout>

#include "byteops/decimalfield.h"
#include "byteops/fieldids.h"
#include "byteops/hexfield.h"

InsertBytesDialog::InsertBytesDialog(qint64 fileSize, qint64 start, QWidget* parent)
    : RangeDialog(RangeDialogKind::InsertBytes, fileSize, parent)
{
    QFormLayout* form = addForm(QStringLiteral("Bytes To Be Inserted"));
    addHexField(form, FieldId::StartAddress, QStringLiteral("Start Address (Hex):"), 8);
    addDecimalField(form, FieldId::InsertCount, QStringLiteral("Number of Bytes (Dec):"), 9)->setText(QStringLiteral("0"));
    addHexField(form, FieldId::InsertValue, QStringLiteral("Default Byte Value (Hex):"), 2)
        ->setText(RangeDialogText::byteValue(0));
    finishLayout();
    showAddress(FieldId::StartAddress, start);
}

qint64 InsertBytesDialog::count() const
{
    return decimalValue(FieldId::InsertCount);
}

std::uint8_t InsertBytesDialog::value() const
{
    return std::uint8_t(hexValue(FieldId::InsertValue));
}
