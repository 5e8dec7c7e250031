#include "marking/runwriter.h"

RunWriter::RunWriter(const MarkSink& sink, const std::atomic<int>& marking)
    : m_sink(sink)
    , m_marking(marking)
{
}

bool RunWriter::handOn(const MarkRun& next)
{
    if (!finish())
        return false;
    m_held = next;
    return true;
}

bool RunWriter::finish()
{
    if (m_stopped || m_marking.load(std::memory_order_relaxed) == 0) {
        m_stopped = true;
        return false;
    }
    if (m_held)
        m_sink(*m_held);
    m_held.reset();
    return true;
}
