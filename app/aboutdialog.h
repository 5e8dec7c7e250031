#pragma once

#include <QDialog>

/// The About box: the application icon, the program's name and version, and an OK button.
class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    static constexpr const char* kTitle = "About Vellmar";
    static constexpr const char* kVersionLine = "Vellmar Version 2.12";
    static constexpr const char* kDescription =
        "Hex editor: edit, compare and mark binary files, send and receive bytes through a serial port.";
};
