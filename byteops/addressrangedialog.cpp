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
    addBlockFields(groupTitleOf(kind));
    finishLayout();
    showBlock(start, end);
}
