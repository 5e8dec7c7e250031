#include <QTest>

#include <memory>
#include <numeric>
#include <random>

#include "bytemodel/bytemodel.h"
#include "support/watchdog.h"
#include "workers/workerjob.h"

/// When the owner drops its job: never, on the first results, or in the end handler.
enum class DropJob { Never, OnResults, OnEnd };

/// An owner with a small worker: it sums a byte model chunk by chunk and posts
/// each chunk's sum, as the real workers post their batches.
struct Summer : QObject {
    explicit Summer(const ByteModel& bytes, DropJob drop = DropJob::Never)
        : job(std::make_unique<WorkerJob<quint64>>(
              this,
              [this, drop](std::vector<quint64>& sums) {
                  ++deliveries;
                  if (drop == DropJob::OnResults)
                      job.reset();
                  total = std::accumulate(sums.begin(), sums.end(), total);
                  received += sums.size();
              },
              [this, drop](bool cancelled) {
                  runningInEndHandler = job->isRunning();
                  if (drop == DropJob::OnEnd)
                      job.reset();
                  ++ends;
                  endedCancelled = cancelled;
              }))
    {
        job->start([&bytes](WorkerJob<quint64>& run) {
            bytes.forEachChunk(0, bytes.size(), [&run](ByteOffset, std::span<const std::uint8_t> chunk) {
                if (run.cancelled())
                    return false;
                run.post(std::accumulate(chunk.begin(), chunk.end(), quint64(0)));
                return true;
            }, 4096);
        });
    }

    std::unique_ptr<WorkerJob<quint64>> job;
    int deliveries = 0, ends = 0;
    std::size_t received = 0;
    quint64 total = 0;
    bool endedCancelled = false, runningInEndHandler = false;
};

class WorkerJobTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_bytes.assign(ByteBuffer(std::size_t(8) << 20, 3)); }

    // Results arrive coalesced and before the end; a cancel still reports the end; after a join
    // the job counts as running until the end arrives.
    void resultsCancelAndEnd()
    {
        Summer whole(m_bytes);
        Summer cancelled(m_bytes);
        cancelled.job->cancel();  // before another thread starts, so the cancel comes well before the end
        Summer joined(m_bytes);
        joined.job->cancelAndWait();
        QVERIFY(joined.job->isRunning());
        QTRY_COMPARE(whole.ends + cancelled.ends + joined.ends, 3);
        QVERIFY(!whole.endedCancelled && whole.runningInEndHandler && !whole.job->isRunning());
        QCOMPARE(whole.received, std::size_t(m_bytes.size() / 4096));
        QCOMPARE(whole.total, quint64(m_bytes.size()) * 3);
        QVERIFY(whole.deliveries < int(whole.received));
        QVERIFY(cancelled.endedCancelled && !joined.job->isRunning());
        QVERIFY(cancelled.total < quint64(m_bytes.size()) * 3);
    }

    // An owner may drop its job inside the job's own handlers, or close at random moments after a
    // cancel, a join or neither: the worker never touches an owner that is gone (run under AddressSanitizer).
    void jobsDroppedOrClosedAtAnyMomentAreSafe()
    {
        const Watchdog watchdog;
        std::mt19937 random(7);
        ByteModel small;
        small.assign(ByteBuffer(std::size_t(64) << 10, 1));
        for (int round = 0; round < 600; ++round) {
            const auto drop = DropJob(round % 3);
            auto owner = std::make_unique<Summer>(drop == DropJob::Never ? m_bytes : small, drop);
            // Sleeps until the deliveries come; the job goes in one of them.
            while (drop != DropJob::Never && owner->job)
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            QVERIFY(drop == DropJob::Never || owner->ends == (drop == DropJob::OnEnd ? 1 : 0));
            for (unsigned spins = drop == DropJob::Never ? random() % 50 : 0; spins > 0; --spins)
                QCoreApplication::processEvents();
            if (const unsigned how = random() % 3; owner->job && how == 0)
                owner->job->cancel();
            else if (owner->job && how == 1)
                owner->job->cancelAndWait();
            for (unsigned spins = random() % 20; spins > 0; --spins)
                QCoreApplication::processEvents();
            owner.reset();
            QCoreApplication::processEvents();
        }
    }

private:
    ByteModel m_bytes;
};

QTEST_MAIN(WorkerJobTest)
#include "workerjob_test.moc"
