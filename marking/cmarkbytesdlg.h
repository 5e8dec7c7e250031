#pragma once

#include <array>

#include "byteops/rangedialog.h"
#include "marking/markbytessettings.h"

class CColorComboBox;
class QCheckBox;

/// Asks for up to four values to mark, each with its colour, and the block.
class CMarkBytesDlg : public RangeDialog {
    Q_OBJECT

public:
    /// Opens with the remembered values, colours and clear choice, and the default block.
    CMarkBytesDlg(qint64 fileSize, const MarkBytesSettings& remembered, const AddressBlock& defaultBlock,
                  QWidget* parent);

    /// The accepted settings.
    MarkBytesSettings settings() const;

private:
    MarkBytesSettings m_remembered;
    std::array<CColorComboBox*, MarkBytesSettings::kValueCount> m_colors{};
    QCheckBox* m_clear = nullptr;
};
