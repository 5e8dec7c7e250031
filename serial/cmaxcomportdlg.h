#pragma once

#include <QDialog>

class DecimalField;

/// Max Com Port: the highest port number the settings dialogs offer, at least 4.
class CMaxComPortDlg : public QDialog {
    Q_OBJECT

public:
    explicit CMaxComPortDlg(int maxComPort, QWidget* parent = nullptr);

    /// The value entered, once the dialog closed with OK.
    int maxComPort() const { return m_maxComPort; }

public slots:
    void accept() override;

private:
    DecimalField* m_field;
    int m_maxComPort;
};
