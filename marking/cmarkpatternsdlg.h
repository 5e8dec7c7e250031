#pragma once

#include <array>

#include "byteops/rangedialog.h"
#include "marking/markpatternssettings.h"

class CColorComboBox;
class QButtonGroup;
class QCheckBox;
class QFormLayout;
class QHBoxLayout;

/// Asks for the pattern type, its header, N and tail, the three colours and
/// the block. The type buttons switch the labels and which fields show at
/// once, keeping whatever was typed or chosen.
class CMarkPatternsDlg : public RangeDialog {
    Q_OBJECT

public:
    /// Opens on the remembered type with that type's texts and colours, the
    /// remembered clear choice, and the default block.
    CMarkPatternsDlg(qint64 fileSize, const MarkPatternsSettings& remembered, const AddressBlock& defaultBlock,
                     QWidget* parent);

    PatternType type() const;
    /// The accepted settings: the chosen type's texts and colours replaced, the other types' kept.
    MarkPatternsSettings settings() const;

protected:
    FieldRuleSet ruleSet() const override;

private:
    void addPatternFields(QFormLayout* form, const PatternTexts& texts);
    void addColorLists(QFormLayout* form, const PatternTexts& texts);
    void showType(PatternType type);

    MarkPatternsSettings m_remembered;
    QButtonGroup* m_types = nullptr;
    QFormLayout* m_patternForm = nullptr;
    QHBoxLayout* m_countRow = nullptr;  // the count field and "(Bytes)"
    QLabel* m_bytesUnit = nullptr;
    QLabel* m_byteFollowing = nullptr;
    std::array<CColorComboBox*, 3> m_colors{};
    QLabel* m_secondColorLabel = nullptr;
    QLabel* m_thirdColorLabel = nullptr;
    QCheckBox* m_clear = nullptr;
};
