#pragma once

#include "byteops/rangedialog.h"
#include "marking/markunitssettings.h"

class CColorComboBox;
class QCheckBox;

/// Asks for the unit size, the two colours that take turns and the block.
class CMarkUnitsDlg : public RangeDialog {
    Q_OBJECT

public:
    /// Opens with the remembered unit size, colours and clear choice, and the default block.
    CMarkUnitsDlg(qint64 fileSize, const MarkUnitsSettings& remembered, const AddressBlock& defaultBlock,
                  QWidget* parent);

    /// The accepted settings.
    MarkUnitsSettings settings() const;

private:
    MarkUnitsSettings m_remembered;
    CColorComboBox* m_color1 = nullptr;
    CColorComboBox* m_color2 = nullptr;
    QCheckBox* m_clear = nullptr;
};
