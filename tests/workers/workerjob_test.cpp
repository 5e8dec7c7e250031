#include <QTest>
#include <QWidget>

#include <memory>
#include <random>

#include "bytemodel/bytemodel.h"
#include "support/watchdog.h"
#include "workers/workerjob.h"

namespace {

/// When the owner drops its job: never, on the first results, or in the end handler.
enum class DropJob { Never, OnResults, OnEnd };

/// A window with a small worker: it sums a byte model chunk by chunk and
/// posts each chunk's sum, as the real workers post their batches.
class SummingWindow : public QWidget {
public:
    explicit SummingWindow(const ByteModel& bytes, DropJob drop = DropJob::Never)
    {
        m_job = std::make_unique<WorkerJob<quint64>>(
            this,
            [this, drop](std::vector<quint64>& sums) {
                ++deliveries;
                if (drop == DropJob::OnResults)
                    m_job.reset();
                for (quint64 sum : sums)
                    total += sum;
                received += sums.size();
            },
            [this, drop](bool cancelled) {
                runningInEndHandler = m_job->isRunning();
                if (drop == DropJob::OnEnd)
                    m_job.reset();
                ++ends;
                endedCancelled = cancelled;
            });
        m_job->start([&bytes](WorkerJob<quint64>& job) {
            bytes.forEachChunk(
                0, bytes.size(),
                [&job](ByteOffset, std::span<const std::uint8_t> chunk) {
                    quint64 sum = 0;
                    for (std::uint8_t byte : chunk) {
                        if (job.cancelled())
                            return false;
                        sum += byte;
                    }
                    job.post(sum);
                    return true;
                },
                4096);
        });
    }
    WorkerJob<quint64>& job() { return *m_job; }
    bool hasJob() const { return m_job != nullptr; }

    int deliveries = 0;
    std::size_t received = 0;
    quint64 total = 0;
    int ends = 0;
    bool endedCancelled = false;
    bool runningInEndHandler = false;

private:
    std::unique_ptr<WorkerJob<quint64>> m_job;
};

}  // namespace

class WorkerJobTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_bytes.assign(ByteBuffer(std::size_t(8) << 20, 3)); }

    void resultsArriveCoalescedAndBeforeTheEnd()
    {
        SummingWindow window(m_bytes);
        QTRY_COMPARE(window.ends, 1);
        QVERIFY(!window.endedCancelled && window.runningInEndHandler && !window.job().isRunning());
        QCOMPARE(window.received, std::size_t(m_bytes.size() / 4096));
        QCOMPARE(window.total, quint64(m_bytes.size()) * 3);
        QVERIFY(window.deliveries < int(window.received));
    }

    // A cancel still reports the end; after a join the job counts as running until the end arrives.
    void cancelEndsTheWorkerAndStillReportsTheEnd()
    {
        SummingWindow cancelled(m_bytes);
        cancelled.job().cancel();  // before another thread starts, so the cancel comes well before the end
        SummingWindow joined(m_bytes);
        joined.job().cancelAndWait();
        QVERIFY(joined.job().isRunning());
        QTRY_COMPARE(cancelled.ends + joined.ends, 2);
        QVERIFY(cancelled.endedCancelled && !joined.job().isRunning());
        QVERIFY(cancelled.total < quint64(m_bytes.size()) * 3);
    }

    // An owner may drop its job inside the job's own handlers (run under AddressSanitizer).
    void aJobDroppedInsideItsHandlersIsSafe()
    {
        const Watchdog watchdog;
        ByteModel small;
        small.assign(ByteBuffer(std::size_t(64) << 10, 1));
        for (auto drop : {DropJob::OnResults, DropJob::OnEnd}) {
            for (int round = 0; round < 200; ++round) {
                SummingWindow window(small, drop);
                // Sleeps until the deliveries come; the job goes in one of them.
                while (window.hasJob())
                    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
                QCOMPARE(window.ends, drop == DropJob::OnEnd ? 1 : 0);
            }
        }
    }

    // Started, cancelled and closed at random moments: the worker never
    // touches a window that is gone (run under AddressSanitizer).
    void randomStopsAndClosesAreSafe()
    {
        std::mt19937 random(7);
        const auto spin = [&](unsigned most) {
            for (unsigned spins = random() % most; spins > 0; --spins)
                QCoreApplication::processEvents();
        };
        for (int round = 0; round < 200; ++round) {
            auto window = std::make_unique<SummingWindow>(m_bytes);
            spin(50);
            const unsigned how = random() % 3;
            if (how == 0) {
                window->job().cancel();
                spin(20);
            } else if (how == 1) {
                window->job().cancelAndWait();
            }
            window.reset();
            QCoreApplication::processEvents();
        }
    }

private:
    ByteModel m_bytes;
};

QTEST_MAIN(WorkerJobTest)
#include "workerjob_test.moc"
