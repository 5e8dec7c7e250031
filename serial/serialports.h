#pragma once

#include "serial/defaultsettingsstore.h"
#include "serial/portusagetable.h"

class QSettings;

/// What the application keeps for the serial ports: the default settings new
/// documents copy, Max Com Port, and the table of the ports in use.
class SerialPorts {
public:
    SerialPorts();

    /// Start-up: reads the defaults and sizes the usage table for them.
    void load(QSettings& settings);

    const PortSettings& defaults() const { return m_defaults.port; }
    void setDefaults(QSettings& settings, const PortSettings& port);
    int maxComPort() const { return m_defaults.maxComPort; }
    /// Stores the new value and gives every port number up to it a usage record.
    void setMaxComPort(QSettings& settings, int maxComPort);

    PortUsageTable& usage() { return m_usage; }

private:
    DefaultPortSettings m_defaults;
    PortUsageTable m_usage;
};
