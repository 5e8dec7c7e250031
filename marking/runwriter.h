#pragma once

#include <algorithm>
#include <optional>

#include "workers/stopflag.h"

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

    /// Colours first..last in units of `unit` bytes, alternately colors[0]
    /// and colors[1]; false once a stop was seen. A sink that takes
    /// alternations gets stretches of whole unit pairs, the others each unit.
    bool paintUnits(ByteOffset first, ByteOffset last, qint64 unit, const Rgb (&colors)[2])
    {
        if (!m_sink.takesAlternations() || 2 * unit > kLongestAlternation) {
            int which = 0;
            for (ByteOffset from = first; from <= last; from += unit, which ^= 1) {
                if (!paint(from, std::min(from + unit - 1, last), colors[which]))
                    return false;
            }
            return true;
        }
        // Whole pairs keep every stretch starting on colors[0].
        const qint64 stretch = kLongestAlternation / (2 * unit) * 2 * unit;
        for (ByteOffset from = first; from <= last; from += stretch) {
            if (!finish())
                return false;
            m_sink(AlternatingRun{from, std::min(from + stretch - 1, last), unit, {colors[0], colors[1]}});
        }
        return true;
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
    // An alternation handed on is at most this long, for the same reason.
    static constexpr qint64 kLongestAlternation = qint64(1) << 20;

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
