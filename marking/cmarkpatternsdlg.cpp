#include "marking/cmarkpatternsdlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>

#include "byteops/decimalfield.h"
#include "byteops/fieldids.h"
#include "byteops/hexfield.h"
#include "marking/ccolorcombobox.h"
#include "marking/markcontrolids.h"
#include "marking/markdialogparts.h"

namespace {

/// What the dialog shows for each pattern type.
struct TypeView {
    const char* buttonText;
    int buttonId;
    FieldRuleSet rules;
    const char* countLabel;  // nullptr: the count row is hidden
    bool showsTail;
    const char* secondColorLabel;
    bool showsByteFollowing;
    const char* thirdColorLabel;
};

constexpr TypeView kTypeViews[MarkPatternsSettings::kTypeCount] = {
    {"Type1", MarkControlId::PatternType1, FieldRuleSet::MarkPatternsType1, nullptr, true, "Color of Body Bytes:",
     false, "Tail Color:"},
    {"Type2", MarkControlId::PatternType2, FieldRuleSet::MarkPatternsType2, "Number of Body Bytes (Dec):", true,
     "Color of Body Bytes:", false, "Tail Color:"},
    {"Type3", MarkControlId::PatternType3, FieldRuleSet::MarkPatternsType3, "Number of Tail Bytes (Dec):", false,
     "Color of Tail Bytes:", true, "the Last Tail Byte"},
};

const TypeView& viewOf(PatternType type)
{
    return kTypeViews[std::size_t(type)];
}

}  // namespace

CMarkPatternsDlg::CMarkPatternsDlg(qint64 fileSize, const MarkPatternsSettings& remembered,
                                   const AddressBlock& defaultBlock, QWidget* parent)
    : RangeDialog(RangeDialogKind::MarkPatterns, fileSize, parent)
    , m_remembered(remembered)
    , m_types(new QButtonGroup(this))
{
    QFormLayout* types = addForm(QStringLiteral("Pattern Type"));
    for (int t = 0; t < MarkPatternsSettings::kTypeCount; ++t) {
        auto* button = new QRadioButton(QLatin1String(kTypeViews[t].buttonText), this);
        button->setObjectName(MarkControlId::objectName(kTypeViews[t].buttonId));
        m_types->addButton(button, t);
        types->addRow(button);
    }
    m_types->button(int(remembered.type))->setChecked(true);

    m_patternForm = addForm();
    addPatternFields(m_patternForm, remembered.chosen());
    addColorLists(m_patternForm, remembered.chosen());
    m_clear = MarkDialogParts::clearBox(QStringLiteral("Clear Previous Marks In the Block"), remembered.clearBlock,
                                        m_patternForm, this);
    addBlockFields(QStringLiteral("Apply To Block"));
    finishLayout();
    showBlock(defaultBlock.start, defaultBlock.end);
    showType(remembered.type);
    connect(m_types, &QButtonGroup::idClicked, this, [this](int t) { showType(PatternType(t)); });
}

void CMarkPatternsDlg::addPatternFields(QFormLayout* form, const PatternTexts& texts)
{
    addHexField(form, FieldId::PatternHeader, QStringLiteral("Header Value (Hex):"), 8)->setText(texts.header);
    // The count's label changes with the type, so it carries no mnemonic; "(Bytes)" stands right of the field.
    DecimalField* count = addDecimalField(form, FieldId::PatternCount, QString(), 8);
    count->setText(texts.count);
    form->removeWidget(count);
    m_bytesUnit = new QLabel(QStringLiteral("(Bytes)"), this);
    m_bytesUnit->setObjectName(MarkControlId::objectName(MarkControlId::BytesUnitLabel));
    m_countRow = new QHBoxLayout;
    m_countRow->addWidget(count);
    m_countRow->addWidget(m_bytesUnit);
    form->setLayout(form->rowCount() - 1, QFormLayout::FieldRole, m_countRow);
    addHexField(form, FieldId::PatternTail, QStringLiteral("Tail Value (Hex):"), 8)->setText(texts.tail);
}

void CMarkPatternsDlg::addColorLists(QFormLayout* form, const PatternTexts& texts)
{
    constexpr int kColorIds[] = {MarkControlId::PatternHeaderColor, MarkControlId::PatternSecondColor,
                                 MarkControlId::PatternThirdColor};
    for (std::size_t k = 0; k < m_colors.size(); ++k)
        m_colors[k] = MarkDialogParts::colorList(kColorIds[k], texts.colorNames[k], this);
    addLabelledRow(form, QStringLiteral("Header Color:"), m_colors[0]);
    m_secondColorLabel = addLabelledRow(form, QString(), m_colors[1]);
    m_byteFollowing = new QLabel(QStringLiteral("Color of the Byte Following"), this);
    m_byteFollowing->setObjectName(MarkControlId::objectName(MarkControlId::ByteFollowingLabel));
    form->addRow(m_byteFollowing);
    m_thirdColorLabel = addLabelledRow(form, QString(), m_colors[2]);
}

void CMarkPatternsDlg::showType(PatternType type)
{
    const TypeView& view = viewOf(type);
    fieldLabel(FieldId::PatternCount)->setText(QLatin1String(view.countLabel));
    // A row holding a layout hides only its label: its widgets are hidden here.
    const bool showsCount = view.countLabel != nullptr;
    m_patternForm->setRowVisible(m_countRow, showsCount);
    field(FieldId::PatternCount)->setVisible(showsCount);
    m_bytesUnit->setVisible(showsCount);
    m_patternForm->setRowVisible(field(FieldId::PatternTail), view.showsTail);
    m_secondColorLabel->setText(QLatin1String(view.secondColorLabel));
    m_patternForm->setRowVisible(m_byteFollowing, view.showsByteFollowing);
    m_thirdColorLabel->setText(QLatin1String(view.thirdColorLabel));
}

PatternType CMarkPatternsDlg::type() const
{
    return PatternType(m_types->checkedId());
}

FieldRuleSet CMarkPatternsDlg::ruleSet() const
{
    return viewOf(type()).rules;
}

MarkPatternsSettings CMarkPatternsDlg::settings() const
{
    MarkPatternsSettings accepted = m_remembered;
    accepted.clearBlock = m_clear->isChecked();
    accepted.type = type();
    PatternTexts& chosen = accepted.chosen();
    chosen.header = field(FieldId::PatternHeader)->text().trimmed();
    chosen.count = field(FieldId::PatternCount)->text().trimmed();
    chosen.tail = field(FieldId::PatternTail)->text().trimmed();
    // A list with nothing chosen keeps the name the dialog opened with.
    for (std::size_t k = 0; k < m_colors.size(); ++k)
        chosen.colorNames[k] = m_colors[k]->colorName(m_remembered.chosen().colorNames[k]);
    accepted.block = {start(), end()};
    return accepted;
}
