#include "byteops/addressrangedialog.h"

#include "byteops/fieldids.h"
#include "byteops/hexfield.h"

namespace {

/// Reverse Bytes Sequence frames its addresses as the block it works on.
QString groupTitleOf(RangeDialogKind kind)
{
    return kind == RangeDialogKind::ReverseBytes ? QStringLiteral("Apply To Block") : QString();
}

}  // namespace

AddressRangeDialog::AddressRangeDialog(RangeDialogKind kind, qint64 fileSize, qint64 start, qint64 end,
                                       QWidget* parent)
    : RangeDialog(kind, fileSize, parent)
{
    QFormLayout* form = addForm(groupTitleOf(kind));
    addHexField(form, FieldId::StartAddress, QStringLiteral("Start Address (Hex):"), 8);
    addHexField(form, FieldId::EndAddress, QStringLiteral("End Address (Hex):"), 8);
    finishLayout();
    showAddress(FieldId::StartAddress, start);
    showEndAddress(FieldId::EndAddress, end);
}

qint64 AddressRangeDialog::start() const
{
    return hexValue(FieldId::StartAddress);
}

qint64 AddressRangeDialog::end() const
{
    return hexValue(FieldId::EndAddress);
}
