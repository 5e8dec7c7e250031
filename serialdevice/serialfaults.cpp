#include "serialdevice/serialfaults.h"

#include <utility>

#include "serialdevice/serialdevice.h"

std::mutex SerialFaults::s_lock;
SerialFaults::Plan SerialFaults::s_plan;

void SerialFaults::failWritesAfter(const QString& path, qint64 acceptedBytes, int errnoValue)
{
    const std::lock_guard guard(s_lock);
    s_plan = Plan{path, acceptedBytes, errnoValue};
}

void SerialFaults::applyTo(SerialDevice& device, const QString& path)
{
    const std::lock_guard guard(s_lock);
    if (s_plan.path.isEmpty() || s_plan.path != path)
        return;
    const Plan plan = std::exchange(s_plan, Plan{});
    device.m_writeBudget = plan.acceptedBytes;
    device.m_writeFault = plan.errnoValue;
}
