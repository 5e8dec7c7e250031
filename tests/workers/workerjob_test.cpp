#include <QTest>
#include <QWidget>

#include <memory>
#include <random>

#include "bytemodel/bytemodel.h"
#include "support/watchdog.h"
#include "workers/workerjob.h"

namespace {

/// A window with a small worker: it sums a byte model chunk by chunk and
/// posts each chunk's sum, as the real workers post their batches.
class SummingWindow : public QWidget {
public:
    /// When the owner drops its job: never, on the first results, or in the end handler.
    enum class DropJob { Never, OnResults, OnEnd };

    explicit SummingWindow(const ByteModel& bytes, DropJob drop = DropJob::Never)
        : m_bytes(bytes)
        , m_drop(drop)
    {
    }

    void start()
    {
        m_job = std::make_unique<WorkerJob<quint64>>(
            this, [this](std::vector<quint64>& sums) {
                ++deliveries;
                if (m_drop == DropJob::OnResults)
                    m_job.reset();
                for (quint64 sum : sums)
                    total += sum;
                received += sums.size();
            },
            [this](bool cancelled) {
                runningInEndHandler = m_job->isRunning();
                if (m_drop == DropJob::OnEnd)
                    m_job.reset();
                ++ends;
                endedCancelled = cancelled;
            });
        m_job->start([this](WorkerJob<quint64>& job) {
            m_bytes.forEachChunk(
                0, m_bytes.size(),
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
    const ByteModel& m_bytes;
    DropJob m_drop;
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
        window.start();
        QTRY_COMPARE(window.ends, 1);
        QVERIFY(!window.endedCancelled);
        QVERIFY(window.runningInEndHandler);
        QVERIFY(!window.job().isRunning());
        QCOMPARE(window.received, std::size_t(m_bytes.size() / 4096));
        QCOMPARE(window.total, quint64(m_bytes.size()) * 3);
        QVERIFY(window.deliveries < int(window.received));
    }

    void cancelEndsTheWorkerAndStillReportsTheEnd()
    {
        SummingWindow window(m_bytes);
        window.start();
        window.job().cancel();
        QTRY_COMPARE(window.ends, 1);
        QVERIFY(window.endedCancelled);
        QVERIFY(window.total < quint64(m_bytes.size()) * 3);
    }

    // The end still arrives after a join, and the job counts as running until then.
    void cancelAndWaitStillDeliversTheEnd()
    {
        SummingWindow window(m_bytes);
        window.start();
        window.job().cancelAndWait();
        QVERIFY(window.job().isRunning());
        QTRY_COMPARE(window.ends, 1);
        QVERIFY(!window.job().isRunning());
    }

    // An owner may drop its job inside the job's own handlers (run under AddressSanitizer).
    void aJobDroppedInsideItsHandlersIsSafe()
    {
        const Watchdog watchdog;
        ByteModel small;
        small.assign(ByteBuffer(std::size_t(64) << 10, 1));
        for (auto drop : {SummingWindow::DropJob::OnResults, SummingWindow::DropJob::OnEnd}) {
            for (int round = 0; round < 200; ++round) {
                SummingWindow window(small, drop);
                window.start();
                // Sleeps until the deliveries come; the job goes in one of them.
                while (window.hasJob())
                    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
                QCOMPARE(window.ends, drop == SummingWindow::DropJob::OnEnd ? 1 : 0);
            }
        }
    }

    // Started, cancelled and closed at random moments: the worker never
    // touches a window that is gone (run under AddressSanitizer).
    void randomStopsAndClosesAreSafe()
    {
        std::mt19937 random(7);
        for (int round = 0; round < 200; ++round) {
            auto window = std::make_unique<SummingWindow>(m_bytes);
            window->start();
            for (int spins = int(random() % 50); spins > 0; --spins)
                QCoreApplication::processEvents();
            switch (random() % 3) {
            case 0:
                window->job().cancel();
                for (int spins = int(random() % 20); spins > 0; --spins)
                    QCoreApplication::processEvents();
                break;
            case 1:
                window->job().cancelAndWait();
                break;
            default:
                break;
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
