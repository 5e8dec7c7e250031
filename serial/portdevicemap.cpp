#include "serial/portdevicemap.h"

#include <QSettings>

#include "serial/portsettingstext.h"

namespace {
const QString kGroup = QStringLiteral("Port Devices");
}

namespace PortDeviceMap {

QString defaultDevicePath(const QString& portName)
{
    const int number = PortSettingsText::portNumber(portName);
    return number >= 1 ? QStringLiteral("/dev/ttyS%1").arg(number - 1) : QString();
}

QString devicePath(QSettings& settings, const QString& portName)
{
    settings.beginGroup(kGroup);
    const QString mapped = settings.value(portName).toString().trimmed();
    settings.endGroup();
    return mapped.isEmpty() ? defaultDevicePath(portName) : mapped;
}

void setDevicePath(QSettings& settings, const QString& portName, const QString& path)
{
    const QString trimmed = path.trimmed();
    settings.beginGroup(kGroup);
    if (trimmed.isEmpty() || trimmed == defaultDevicePath(portName))
        settings.remove(portName);
    else
        settings.setValue(portName, trimmed);
    settings.endGroup();
}

}  // namespace PortDeviceMap
