#include "marking/cmarkunitsdlg.h"

#include <QCheckBox>
#include <QFormLayout>

#include "byteops/decimalfield.h"
#include "byteops/fieldids.h"
#include "byteops/hexfield.h"
#include "marking/ccolorcombobox.h"
#include "marking/markcontrolids.h"
#include "marking/markdialogparts.h"

CMarkUnitsDlg::CMarkUnitsDlg(qint64 fileSize, const MarkUnitsSettings& remembered, const AddressBlock& defaultBlock,
                             QWidget* parent)
    : RangeDialog(RangeDialogKind::MarkUnits, fileSize, parent)
    , m_remembered(remembered)
{
    addDecimalField(addForm(), FieldId::UnitSize, QStringLiteral("Number of Bytes in Each Unit (Dec):"), 4)
        ->setText(QString::number(remembered.unitSize));
    QFormLayout* colors = addForm(QStringLiteral("Please choose two different colors to distinguish each unit"));
    m_color1 = MarkDialogParts::colorList(MarkControlId::UnitColor1, remembered.color1, this);
    addLabelledRow(colors, QStringLiteral("Color #1:"), m_color1);
    m_color2 = MarkDialogParts::colorList(MarkControlId::UnitColor2, remembered.color2, this);
    addLabelledRow(colors, QStringLiteral("Color #2:"), m_color2);
    m_clear = MarkDialogParts::clearBox(QStringLiteral("Clear Previous Marks In the Block"), remembered.clearBlock,
                                        addForm(), this);
    addBlockFields(QStringLiteral("Apply To Block"));
    finishLayout();
    showBlock(defaultBlock.start, defaultBlock.end);
}

MarkUnitsSettings CMarkUnitsDlg::settings() const
{
    MarkUnitsSettings accepted = m_remembered;
    accepted.clearBlock = m_clear->isChecked();
    accepted.unitSize = decimalValue(FieldId::UnitSize);
    accepted.color1 = m_color1->colorName(m_remembered.color1);
    accepted.color2 = m_color2->colorName(m_remembered.color2);
    accepted.block = {start(), end()};
    return accepted;
}
