#pragma once

#include <algorithm>
#include "workers/stopflag.h"
#include <optional>

#include "marking/markrun.h"

/// Hands a scan's runs to its sink in the order they apply. A run that touches
/// the one held back and has its colour is joined to it, so the sink is called
/// per run, not per byte or unit (inline: the scans call it per byte or
/// unit). The stop flag is read before every call of the sink; once it is set
/// nothing more is handed on.
class RunWriter {
public:
    RunWriter(const MarkSink& sink, const StopFlag& stop)
        : m_sink(sink)
        , m_stop(stop)
    {
    }

    /// Colours first to last (first <= last); false once a stop was seen.
    bool paint(ByteOffset first, ByteOffset last, Rgb color)
    {
        // A held run stops growing at kLongestHeldRun, so that a long stretch
        // of one colour still reaches the listing while the scan goes on.
        if (m_held && color == m_held->color && first <= m_held->last + 1 && last + 1 >= m_held->first
            && m_held->last - m_held->first < kLongestHeldRun) {
            m_held->first = std::min(m_held->first, first);
            m_held->last = std::max(m_held->last, last);
            return true;
        }
        return handOn(MarkRun{first, last, color});
    }

    /// Hands on the run held back; false when a stop came first.
    bool finish()
    {
        if (m_stopped || stopRequested(m_stop)) {
            m_stopped = true;
            return false;
        }
        if (m_held)
            m_sink(*m_held);
        m_held.reset();
        return true;
    }

private:
    static constexpr qint64 kLongestHeldRun = qint64(1) << 16;

    bool handOn(const MarkRun& next)
    {
        if (!finish())
            return false;
        m_held = next;
        return true;
    }

    const MarkSink& m_sink;
    const StopFlag& m_stop;
    std::optional<MarkRun> m_held;
    bool m_stopped = false;
};
