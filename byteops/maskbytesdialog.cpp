#include "byteops/maskbytesdialog.h"

#include <QButtonGroup>
#include <QFormLayout>

#include "byteops/fieldids.h"
#include "byteops/fieldtext.h"
#include "byteops/hexfield.h"

MaskBytesDialog::MaskBytesDialog(qint64 fileSize, qint64 start, qint64 end, MaskChoice choice, QWidget* parent)
    : RangeDialog(RangeDialogKind::MaskBytes, fileSize, parent)
    , m_type(addChoice(QStringLiteral("Mask Type"), {QStringLiteral("AND"), QStringLiteral("OR"), QStringLiteral("XOR")},
                       int(choice.type)))
{
    addHexField(addForm(), FieldId::MaskValue, QStringLiteral("Mask Value (Hex):"), 2)
        ->setText(FieldText::hexOrEmpty(choice.value));
    addBlockFields(QStringLiteral("Apply to block"));
    finishLayout();
    showBlock(start, end);
}

MaskChoice MaskBytesDialog::choice() const
{
    return {MaskChoice::Type(m_type->checkedId()), std::uint8_t(hexValue(FieldId::MaskValue))};
}
