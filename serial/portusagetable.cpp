#include "serial/portusagetable.h"

PortUsageTable::PortUsageTable(int maxComPort)
{
    extendTo(maxComPort + 1);
}

void PortUsageTable::extendTo(int maxComPort)
{
    std::lock_guard guard(m_lock);
    for (int number = 0; number <= maxComPort; ++number)
        m_records.try_emplace(number);
}

int PortUsageTable::recordCount() const
{
    std::lock_guard guard(m_lock);
    return int(m_records.size());
}

void PortUsageTable::markUsed(int portNumber, std::shared_ptr<SerialDevice> handle)
{
    std::lock_guard guard(m_lock);
    m_records[portNumber] = {1, std::move(handle)};
}

void PortUsageTable::markFree(int portNumber)
{
    std::lock_guard guard(m_lock);
    m_records[portNumber] = {};
}

bool PortUsageTable::inUse(int portNumber) const
{
    std::lock_guard guard(m_lock);
    const auto it = m_records.find(portNumber);
    return it != m_records.end() && it->second.inUse != 0;
}

std::shared_ptr<SerialDevice> PortUsageTable::handle(int portNumber) const
{
    std::lock_guard guard(m_lock);
    const auto it = m_records.find(portNumber);
    return it != m_records.end() ? it->second.handle : nullptr;
}
