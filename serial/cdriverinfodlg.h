#pragma once

#include <QDialog>

struct DriverInfoLines;

/// Communications Driver Information: the thirteen lines of a driver's
/// report for one port, and the device the port opens.
class CDriverInfoDlg : public QDialog {
    Q_OBJECT

public:
    CDriverInfoDlg(const QString& portName, const DriverInfoLines& lines, const QString& deviceLine,
                   QWidget* parent = nullptr);
};
