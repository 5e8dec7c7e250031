#include "byteops/replacebytesdialog.h"

#include <QFormLayout>

#include "byteops/fieldids.h"
#include "byteops/hexfield.h"

ReplaceBytesDialog::ReplaceBytesDialog(qint64 fileSize, qint64 start, qint64 end, QWidget* parent)
    : RangeDialog(RangeDialogKind::ReplaceBytes, fileSize, parent)
{
    QFormLayout* values = addForm(QStringLiteral("Byte Value (The old value is to be replaced by new value)"));
    addHexField(values, FieldId::OldValue, QStringLiteral("Old Value (Hex):"), 2)->setText(RangeDialogText::byteValue(0));
    addHexField(values, FieldId::NewValue, QStringLiteral("New Value (Hex):"), 2)->setText(RangeDialogText::byteValue(0));
    addBlockFields(QStringLiteral("Apply To Block"));
    finishLayout();
    showBlock(start, end);
}

std::uint8_t ReplaceBytesDialog::oldValue() const
{
    return std::uint8_t(hexValue(FieldId::OldValue));
}

std::uint8_t ReplaceBytesDialog::newValue() const
{
    return std::uint8_t(hexValue(FieldId::NewValue));
}
