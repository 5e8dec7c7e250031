#include "serial/portcommands.h"

#include <QSettings>

#include "serialdevice/serialdevicescan.h"
#include "settings/settingsstore.h"
#include "serial/cmaxcomportdlg.h"
#include "serial/cportsettingsdlg.h"
#include "serial/serialports.h"

namespace PortCommands {

void currentSettings(PortSettings& settings, const SerialPorts& ports, QWidget* parent)
{
    CPortSettingsDlg dialog(CPortSettingsDlg::Kind::CurrentSettings, settings, ports.maxComPort(),
                            SerialDeviceScan().devices(), parent);
    if (dialog.exec() == QDialog::Accepted)
        settings = dialog.settings();
}

void setDefault(SerialPorts& ports, QWidget* parent)
{
    CPortSettingsDlg dialog(CPortSettingsDlg::Kind::DefaultSettings, ports.defaults(), ports.maxComPort(),
                            SerialDeviceScan().devices(), parent);
    if (dialog.exec() == QDialog::Accepted)
        ports.setDefaults(*SettingsStore::open(), dialog.settings());
}

void maxComPort(SerialPorts& ports, QWidget* parent)
{
    CMaxComPortDlg dialog(ports.maxComPort(), parent);
    if (dialog.exec() == QDialog::Accepted)
        ports.setMaxComPort(*SettingsStore::open(), dialog.maxComPort());
}

}  // namespace PortCommands
