#include "hexdoc/rungatherer.h"

RunGatherer::RunGatherer(std::size_t batchSize, std::function<void(Batch&)> flush)
    : m_batchSize(batchSize)
    , m_flush(std::move(flush))
{
    m_batch.reserve(batchSize);
}

void RunGatherer::push(const AlternatingRun& run)
{
    m_batch.push_back(run);
    m_batchBytes += run.last - run.first + 1;
    if (m_batch.size() >= m_batchSize || m_batchBytes >= kLongestRun) {
        m_flush(m_batch);
        m_batch.clear();
        m_batchBytes = 0;
    }
}

void RunGatherer::startWith(const MarkRun& run)
{
    if (m_open)
        push(m_current);
    m_current = AlternatingRun::plain(run);
    m_units = 1;
    m_open = true;
}

void RunGatherer::addAlternation(const AlternatingRun& run)
{
    if (m_open)
        push(m_current);
    m_open = false;
    push(run);
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
