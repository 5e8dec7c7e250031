#include "marking/cmarkbytesdlg.h"

#include <QCheckBox>
#include <QFormLayout>

#include "byteops/fieldids.h"
#include "byteops/hexfield.h"
#include "marking/ccolorcombobox.h"
#include "marking/markcontrolids.h"
#include "marking/markdialogparts.h"

namespace {

struct ValueRow {
    int fieldId;
    int colorId;
    const char* label;
};

constexpr ValueRow kValueRows[MarkBytesSettings::kValueCount] = {
    {FieldId::MarkValue1, MarkControlId::Value1Color, "Value 1 (Hex):"},
    {FieldId::MarkValue2, MarkControlId::Value2Color, "Value 2 (Hex):"},
    {FieldId::MarkValue3, MarkControlId::Value3Color, "Value 3 (Hex):"},
    {FieldId::MarkValue4, MarkControlId::Value4Color, "Value 4 (Hex):"},
};

}  // namespace

CMarkBytesDlg::CMarkBytesDlg(qint64 fileSize, const MarkBytesSettings& remembered, const AddressBlock& defaultBlock,
                             QWidget* parent)
    : RangeDialog(RangeDialogKind::MarkBytes, fileSize, parent)
    , m_remembered(remembered)
{
    QFormLayout* values = addForm(QStringLiteral("Select Mark Value and Color"));
    for (int k = 0; k < MarkBytesSettings::kValueCount; ++k) {
        const ValueRow& row = kValueRows[k];
        addHexField(values, row.fieldId, QLatin1String(row.label), 8)->setText(remembered.values[k]);
        m_colors[k] = MarkDialogParts::colorList(row.colorId, remembered.colorNames[k], this);
        addLabelledRow(values, QStringLiteral("Color:"), m_colors[k]);
    }
    m_clear = MarkDialogParts::clearBox(QStringLiteral("Clear Previous Marks In the Block"), remembered.clearBlock,
                                        addForm(), this);
    addBlockFields(QStringLiteral("Apply To Block"));
    finishLayout();
    showBlock(defaultBlock.start, defaultBlock.end);
}

MarkBytesSettings CMarkBytesDlg::settings() const
{
    MarkBytesSettings accepted = m_remembered;
    accepted.clearBlock = m_clear->isChecked();
    for (int k = 0; k < MarkBytesSettings::kValueCount; ++k) {
        accepted.values[k] = field(kValueRows[k].fieldId)->text().trimmed();
        accepted.colorNames[k] = m_colors[k]->colorName(m_remembered.colorNames[k]);
    }
    accepted.block = {start(), end()};
    return accepted;
}
