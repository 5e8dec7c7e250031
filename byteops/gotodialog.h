#pragma once

#include "byteops/rangedialog.h"

/// Asks for the address of the byte to go to.
class GoToDialog : public RangeDialog {
    Q_OBJECT

public:
    GoToDialog(qint64 fileSize, qint64 address, QWidget* parent);

    /// The accepted address.
    qint64 address() const;
};
