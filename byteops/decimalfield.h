#pragma once

#include "byteops/filteredlineedit.h"

/// The decimal field of the parameter dialogs: accepts typed digits only.
class DecimalField : public FilteredLineEdit {
    Q_OBJECT

public:
    explicit DecimalField(int maxLength, QWidget* parent = nullptr);
};
