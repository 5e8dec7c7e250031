#include "marking/cmarkblocksdlg.h"

#include <QCheckBox>
#include <QFormLayout>

#include "byteops/fieldids.h"
#include "marking/ccolorcombobox.h"
#include "marking/markcontrolids.h"
#include "marking/markdialogparts.h"

namespace {

struct BlockRow {
    const char* title;
    int startId;
    int endId;
    int colorId;
};

constexpr BlockRow kBlockRows[MarkBlocksSettings::kBlockCount] = {
    {"Mark Block 1", FieldId::Block1Start, FieldId::Block1End, MarkControlId::Block1Color},
    {"Mark Block 2", FieldId::Block2Start, FieldId::Block2End, MarkControlId::Block2Color},
    {"Mark Block 3", FieldId::Block3Start, FieldId::Block3End, MarkControlId::Block3Color},
};

}  // namespace

CMarkBlocksDlg::CMarkBlocksDlg(qint64 fileSize, const MarkBlocksSettings& remembered, QWidget* parent)
    : RangeDialog(RangeDialogKind::MarkBlocks, fileSize, parent)
    , m_remembered(remembered)
{
    m_clear = MarkDialogParts::clearBox(QStringLiteral("Clear Previous Marks In the File"), remembered.clearFile,
                                        addForm(), this);
    for (int k = 0; k < MarkBlocksSettings::kBlockCount; ++k) {
        const BlockRow& row = kBlockRows[k];
        QFormLayout* form = addForm(QLatin1String(row.title));
        addHexField(form, row.startId, QStringLiteral("Start Address (Hex):"), 8);
        addHexField(form, row.endId, QStringLiteral("End Address (Hex):"), 8);
        m_colors[k] = MarkDialogParts::colorList(row.colorId, remembered.colorNames[k], this);
        addLabelledRow(form, QStringLiteral("Color:"), m_colors[k]);
        showAddress(row.startId, remembered.blocks[k].start);
        showAddress(row.endId, remembered.blocks[k].end);
    }
    finishLayout();
}

MarkBlocksSettings CMarkBlocksDlg::settings() const
{
    MarkBlocksSettings accepted = m_remembered;
    accepted.clearFile = m_clear->isChecked();
    for (int k = 0; k < MarkBlocksSettings::kBlockCount; ++k) {
        const BlockRow& row = kBlockRows[k];
        accepted.blocks[k] = {optionalAddress(row.startId), optionalAddress(row.endId)};
        accepted.colorNames[k] = m_colors[k]->colorName(m_remembered.colorNames[k]);
    }
    return accepted;
}
