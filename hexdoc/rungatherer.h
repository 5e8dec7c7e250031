#pragma once

#include <functional>
#include <vector>

#include "marking/markrun.h"

/// Gathers a scan's runs into batches for the marks. Runs that go on an
/// alternation of two colours in units of one size (as Mark Units makes
/// them) become one AlternatingRun, so a mark of small units is applied as
/// a pattern, not run by run.
class RunGatherer {
public:
    using Batch = std::vector<AlternatingRun>;
    /// flush takes each batch of batchSize runs or of about kLongestRun
    /// bytes, and the last one from finish().
    RunGatherer(std::size_t batchSize, std::function<void(Batch&)> flush);

    void add(const MarkRun& run)
    {
        if (m_open && run.first == m_current.last + 1 && run.last - run.first + 1 == m_current.unit
            && m_current.last - m_current.first < kLongestRun) {
            // The second unit fixes the second colour; later ones must follow the alternation.
            if (m_units == 1)
                m_current.colors[1] = run.color;
            if (run.color == m_current.colors[m_units % 2]) {
                m_current.last = run.last;
                ++m_units;
                return;
            }
        }
        startWith(run);
    }
    /// Takes a stretch of alternating units as it is.
    void addAlternation(const AlternatingRun& run);
    /// Hands on what is gathered.
    void finish();

private:
    // A pattern or a batch stops growing at this many bytes, so that the
    // marks reach the listing while the scan goes on.
    static constexpr qint64 kLongestRun = qint64(1) << 20;

    void startWith(const MarkRun& run);
    void push(const AlternatingRun& run);

    std::size_t m_batchSize;
    std::function<void(Batch&)> m_flush;
    Batch m_batch;
    qint64 m_batchBytes = 0;
    AlternatingRun m_current;
    qint64 m_units = 0;
    bool m_open = false;
};
