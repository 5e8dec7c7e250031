#pragma once

#include <QDialog>

#include "serialdevice/serialdevicescan.h"
#include "serial/portsettings.h"

class QComboBox;
class QFormLayout;

/// Com Port Settings (a window's settings) and Set Default Parameters (the
/// application's, with Reset All): five lists, and the device file the chosen
/// port name opens, with the serial devices of the machine to pick from.
class CPortSettingsDlg : public QDialog {
    Q_OBJECT

public:
    enum class Kind { CurrentSettings, DefaultSettings };

    /// devices: what the device field's drop-down offers.
    CPortSettingsDlg(Kind kind, const PortSettings& settings, int maxComPort, const QList<SerialDeviceEntry>& devices,
                     QWidget* parent = nullptr);

    /// The settings chosen, once the dialog closed with OK.
    const PortSettings& settings() const { return m_settings; }

public slots:
    void accept() override;

private:
    QComboBox* addList(QFormLayout* form, const QString& label, const QStringList& entries, const QString& current,
                       const QString& name);
    QComboBox* addDeviceField(QFormLayout* form, const QList<SerialDeviceEntry>& devices);
    void showDeviceOfPort();
    void resetAll();

    PortSettings m_settings;
    QComboBox* m_port;
    QComboBox* m_baudRate;
    QComboBox* m_byteSize;
    QComboBox* m_parity;
    QComboBox* m_stopBits;
    QComboBox* m_device;
    QString m_mappedDevice;  // the device of the chosen port as stored
};
