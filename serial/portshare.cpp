#include "serial/portshare.h"

#include "serial/comport.h"

PortShare::PortShare(PortConnection& port, PortUsageTable& usage)
    : m_port(port)
    , m_usage(usage)
{
}

PortShare::~PortShare()
{
    // Every user releases before it goes; a port still open here is closed all the same.
    CloseComPort(m_port, m_usage);
}

bool PortShare::acquire(QWidget* dialogParent)
{
    if (m_users == 0 && !OpenComPort(m_port, m_usage, dialogParent))
        return false;
    ++m_users;
    return true;
}

void PortShare::release()
{
    if (m_users == 0 || --m_users > 0)
        return;
    CloseComPort(m_port, m_usage);
}
