#include "serial/serialports.h"

SerialPorts::SerialPorts()
    : m_usage(m_defaults.maxComPort)
{
}

void SerialPorts::load(QSettings& settings)
{
    m_defaults = DefaultSettingsStore::load(settings);
    m_usage.extendTo(m_defaults.maxComPort + 1);
}

void SerialPorts::setDefaults(QSettings& settings, const PortSettings& port)
{
    m_defaults.port = port;
    DefaultSettingsStore::saveDefaults(settings, port);
}

void SerialPorts::setMaxComPort(QSettings& settings, int maxComPort)
{
    m_defaults.maxComPort = maxComPort;
    DefaultSettingsStore::saveMaxComPort(settings, maxComPort);
    m_usage.extendTo(maxComPort);
}
