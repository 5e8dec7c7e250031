#pragma once

#include <QString>

class QSettings;

/// Which device file a port name opens. COMn opens /dev/ttyS(n-1) unless the
/// settings file's "Port Devices" group maps the name to another path (a
/// /dev/serial/by-id name of a USB adapter, a pseudo-terminal, ...).
namespace PortDeviceMap {

QString defaultDevicePath(const QString& portName);
QString devicePath(QSettings& settings, const QString& portName);
/// Stores the mapping; an empty path or the default path removes it.
void setDevicePath(QSettings& settings, const QString& portName, const QString& path);

}  // namespace PortDeviceMap
