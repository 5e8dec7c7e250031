#include "serialdevice/serialfaults.h"

#include <utility>

#include "serialdevice/serialdevice.h"

std::mutex SerialFaults::s_lock;
SerialFaults::Plan SerialFaults::s_plan;

SerialFaults::Plan& SerialFaults::planFor(const QString& path)
{
    if (s_plan.path != path)
        s_plan = Plan{path, {}, {}};
    return s_plan;
}

void SerialFaults::failWritesAfter(const QString& path, qint64 acceptedBytes, int errnoValue)
{
    const std::lock_guard guard(s_lock);
    planFor(path).writes = FaultBudget{acceptedBytes, errnoValue};
}

void SerialFaults::failReadsAfter(const QString& path, qint64 deliveredBytes, int errnoValue)
{
    const std::lock_guard guard(s_lock);
    planFor(path).reads = FaultBudget{deliveredBytes, errnoValue};
}

void SerialFaults::applyTo(SerialDevice& device, const QString& path)
{
    const std::lock_guard guard(s_lock);
    if (s_plan.path.isEmpty() || s_plan.path != path)
        return;
    const Plan plan = std::exchange(s_plan, Plan{});
    device.m_writeFault = plan.writes;
    device.m_readFault = plan.reads;
}
