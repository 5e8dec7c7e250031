#include "hexdoc/rungatherer.h"

RunGatherer::RunGatherer(std::size_t batchSize, std::function<void(Batch&)> flush)
    : m_batchSize(batchSize)
    , m_flush(std::move(flush))
{
    m_batch.reserve(batchSize);
}

void RunGatherer::startWith(const MarkRun& run)
{
    if (m_open) {
        m_batch.push_back(m_current);
        m_batchBytes += m_current.last - m_current.first + 1;
        if (m_batch.size() >= m_batchSize || m_batchBytes >= kLongestRun) {
            m_flush(m_batch);
            m_batch.clear();
            m_batchBytes = 0;
        }
    }
    m_current = AlternatingRun::plain(run);
    m_units = 1;
    m_open = true;
}

void RunGatherer::finish()
{
    if (m_open) {
        m_batch.push_back(m_current);
        m_open = false;
    }
    if (!m_batch.empty())
        m_flush(m_batch);
    m_batch.clear();
    m_batchBytes = 0;
}
