#pragma once

#include <array>

#include "byteops/rangedialog.h"
#include "marking/markblockssettings.h"

class CColorComboBox;
class QCheckBox;

/// Asks for up to three blocks to mark, each with its colour.
class CMarkBlocksDlg : public RangeDialog {
    Q_OBJECT

public:
    /// Opens with the remembered blocks, colours and clear choice.
    CMarkBlocksDlg(qint64 fileSize, const MarkBlocksSettings& remembered, QWidget* parent);

    /// The accepted settings; an empty address field gives kNoOffset.
    MarkBlocksSettings settings() const;

private:
    MarkBlocksSettings m_remembered;
    std::array<CColorComboBox*, MarkBlocksSettings::kBlockCount> m_colors{};
    QCheckBox* m_clear = nullptr;
};
