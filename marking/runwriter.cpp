#include "marking/runwriter.h"

RunWriter::RunWriter(const MarkSink& sink, const std::atomic<int>& marking)
    : m_sink(sink)
    , m_marking(marking)
{
}
