#include "serial/comport.h"

#include <QSettings>

#include "prompt/prompter.h"
#include "settings/settingsstore.h"
#include "serial/comportaccess.h"
#include "serial/portdevicemap.h"

bool OpenComPort(PortConnection& connection, PortUsageTable& usage, QWidget* parent)
{
    const QString devicePath = PortDeviceMap::devicePath(*SettingsStore::open(), connection.settings.portName);
    const auto failure = ComPortAccess::open(connection, devicePath, usage);
    if (failure)
        Prompter::error(parent, *failure);
    return !failure;
}

bool CloseComPort(PortConnection& connection, PortUsageTable& usage)
{
    // A document may go after the application; by then it holds no port.
    if (!connection.handle)
        return true;
    return ComPortAccess::close(connection, usage);
}
