#include "serial/comport.h"

#include <QSettings>

#include "app/cvellmarapp.h"
#include "platform/prompter.h"
#include "platform/settingsstore.h"
#include "serial/comportaccess.h"
#include "serial/portdevicemap.h"

bool OpenComPort(PortConnection& connection, QWidget* parent)
{
    const QString devicePath = PortDeviceMap::devicePath(*SettingsStore::open(), connection.settings.portName);
    const auto failure = ComPortAccess::open(connection, devicePath, CVellmarApp::instance()->serialPorts().usage());
    if (failure)
        Prompter::error(parent, *failure);
    return !failure;
}

bool CloseComPort(PortConnection& connection)
{
    // A document may go after the application; by then it holds no port.
    if (!connection.handle)
        return true;
    return ComPortAccess::close(connection, CVellmarApp::instance()->serialPorts().usage());
}
