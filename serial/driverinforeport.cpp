#include "serial/driverinforeport.h"

#include <QSettings>

#include "prompt/prompter.h"
#include "serialdevice/serialdevice.h"
#include "serialdevice/serialdevicescan.h"
#include "settings/settingsstore.h"
#include "serial/cdriverinfodlg.h"
#include "serial/driverinfolines.h"
#include "serial/portdevicemap.h"
#include "serial/portsettingstext.h"
#include "serial/serialmessages.h"
#include "serial/serialports.h"

using SerialMessages::ReportStep;

void ShowComDriverInfo(const QString& portName, SerialPorts& ports, QWidget* parent)
{
    const QString mappedPath = PortDeviceMap::devicePath(*SettingsStore::open(), portName);
    std::shared_ptr<SerialDevice> device = ports.usage().handle(PortSettingsText::portNumber(portName));
    const bool borrowed = device != nullptr;
    if (!borrowed) {
        SystemError error;
        device = SerialDevice::open(mappedPath, error);
        if (!device)
            return Prompter::error(parent, SerialMessages::reportFailure(ReportStep::Access, portName, error.code));
    }
    CommProperties properties;
    if (const SystemError error = device->properties(properties); error.failed()) {
        Prompter::error(parent, SerialMessages::reportFailure(ReportStep::Properties, portName, error.code));
        if (!borrowed)
            device->close();
        return;
    }
    const QString deviceLine = SerialMessages::deviceLine(mappedPath, device->devicePath(),
                                                          SerialDeviceScan().usbDescription(device->devicePath()));
    CDriverInfoDlg(portName, DriverInfoLines::of(properties), deviceLine, parent).exec();
    if (borrowed)
        return;
    if (const SystemError error = device->close(); error.failed())
        Prompter::error(parent, SerialMessages::reportFailure(ReportStep::Close, portName, error.code));
}
