#pragma once

#include <QDialog>

/// The notation converter: two independent halves, one taking a hex number
/// and showing it in decimal and binary, the other taking a decimal number
/// and showing it in hex and binary, updated with every change of the input.
class NotationConvertWindow : public QDialog {
    Q_OBJECT

public:
    explicit NotationConvertWindow(QWidget* parent = nullptr);

    static constexpr const char* kTitle = "Notation Convert";
};
