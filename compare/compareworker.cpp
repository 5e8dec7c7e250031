#include "compare/compareworker.h"

#include <algorithm>
#include <vector>

#include "hexdoc/bytemarks.h"

namespace CompareWorker {

namespace {

constexpr Rgb kRed = 0xFF0000;
constexpr Rgb kGreen = 0x00FF00;
constexpr Rgb kBlue = 0x0000FF;

// A batch is one lock of each pane's marks and one queued repaint.
constexpr std::size_t kRunsPerBatch = 1 << 12;
constexpr qint64 kBytesPerBatch = qint64(4) << 20;

/// The runs one pane gets, applied to its marks a batch at a time.
class PaneBatch {
public:
    explicit PaneBatch(std::shared_ptr<ByteMarks> marks)
        : m_marks(std::move(marks))
    {
    }
    void add(const CompareEngine::Run& run, Rgb color)
    {
        m_runs.push_back(AlternatingRun::plain(MarkRun{run.first, run.last, color}));
        m_span = m_runs.size() == 1 ? ByteSpan{run.first, run.last}
                                    : ByteSpan{std::min(m_span.first, run.first), std::max(m_span.last, run.last)};
        m_bytes += run.last - run.first + 1;
    }
    bool full() const { return m_runs.size() >= kRunsPerBatch || m_bytes >= kBytesPerBatch; }
    /// Colours the gathered runs and gives the span they cover.
    ByteSpan apply()
    {
        const ByteSpan span = m_runs.empty() ? ByteSpan{0, -1} : m_span;
        m_marks->apply(m_runs);
        m_runs.clear();
        m_bytes = 0;
        return span;
    }

private:
    std::shared_ptr<ByteMarks> m_marks;
    std::vector<AlternatingRun> m_runs;
    ByteSpan m_span{0, -1};
    qint64 m_bytes = 0;
};

void run(Job& job, const Files& files, CompareEngine::Counts& counts)
{
    PaneBatch pane1(files.marks1);
    PaneBatch pane2(files.marks2);
    const auto flush = [&] { job.post(ComparePaint{pane1.apply(), pane2.apply()}); };
    const bool file1Longer = files.bytes1.size() > files.bytes2.size();
    CompareEngine::compare(files.bytes1, files.bytes2, job.cancelFlag(), [&](const CompareEngine::Run& run) {
        if (!run.extra || file1Longer)
            pane1.add(run, kRed);
        if (!run.extra)
            pane2.add(run, kBlue);
        else if (!file1Longer)
            pane2.add(run, kGreen);
        if (pane1.full() || pane2.full())
            flush();
    }, counts);
    flush();
}

}  // namespace

std::unique_ptr<Job> start(QObject* owner, const Files& files, Repaint repaint, Finished finished)
{
    auto counts = std::make_shared<CompareEngine::Counts>();
    auto job = std::make_unique<Job>(
        owner,
        [repaint = std::move(repaint)](std::vector<ComparePaint>& batches) {
            ComparePaint all = batches.front();
            const auto widen = [](ByteSpan& into, const ByteSpan& span) {
                if (span.first > span.last)
                    return;
                into = into.first > into.last ? span
                                              : ByteSpan{std::min(into.first, span.first), std::max(into.last, span.last)};
            };
            for (const ComparePaint& batch : batches) {
                widen(all.file1, batch.file1);
                widen(all.file2, batch.file2);
            }
            repaint(all);
        },
        [counts, finished = std::move(finished)](bool cancelled) { finished(cancelled, *counts); });
    job->start([files, counts](Job& running) { run(running, files, *counts); });
    return job;
}

}  // namespace CompareWorker
