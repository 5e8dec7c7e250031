// Measures the receive worker on a pseudo-terminal: the processor time of a
// receive that waits 10 s for bytes that never come and how long Stop Receive
// then takes; a 64 MiB burst written into the master as fast as it goes,
// received into a byte model and checked byte for byte, and Stop Receive
// under a stream; then `cat PTY > FILE` on the same pty in the same run.
// Usage: receive_bench WORKDIR
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <thread>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include "benchpty.h"
#include "bytemodel/bytemodel.h"
#include "serial/comportaccess.h"
#include "serial/portusagetable.h"
#include "serial/receiveworker.h"
#include "serialdevice/serialdevice.h"

namespace {

constexpr qint64 kSize = qint64(64) << 20;
constexpr int kIdleMs = 10000;
constexpr int kStreamBeforeStopMs = 200;

double processCpuSeconds()
{
    timespec t{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

/// A receive running on the open device into its own model.
struct Receive {
    ByteModel received;
    bool ended = false;
    std::unique_ptr<ReceiveWorker::Job> job;

    Receive(QCoreApplication& app, const std::shared_ptr<SerialDevice>& device)
        : job(ReceiveWorker::start(&app, received, device, [this](bool, const ReceiveOutcome&) { ended = true; }))
    {
    }
    /// What Stop Receive does; ms from the stop to the end notice on this thread.
    double stopMs(SerialDevice& device)
    {
        QElapsedTimer timer;
        timer.start();
        job->cancel();
        device.interruptRead();
        while (!ended)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        return double(timer.nsecsElapsed()) / 1e6;
    }
};

bool inOrder(const ByteModel& bytes)
{
    bool same = bytes.size() == kSize;
    bytes.forEachChunk(0, bytes.size(), [&](ByteOffset offset, std::span<const std::uint8_t> chunk) {
        for (std::size_t i = 0; i < chunk.size() && same; ++i)
            same = chunk[i] == benchPatternAt(offset + qint64(i));
        return same;
    });
    return same;
}

/// Waits (polling each ms) until arrived() says all came; ms from timer's start, or -1.
template <typename Arrived>
double msUntil(const QElapsedTimer& timer, Arrived arrived)
{
    while (!arrived()) {
        if (timer.elapsed() > 120000)
            return -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return double(timer.nsecsElapsed()) / 1e6;
}

/// `cat PTY > FILE` while the burst is written into the master: MB/s until FILE holds it all.
double catFromPty(const BenchPty& pty, const QString& file, const ByteBuffer& burst)
{
    // cat sets no line discipline: the pty passes bytes unchanged only in raw mode.
    const int slave = ::open(pty.name, O_RDWR | O_NOCTTY | O_NONBLOCK);
    termios raw{};
    ::tcgetattr(slave, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(slave, TCSANOW, &raw);
    char leftover[4096];
    while (::read(slave, leftover, sizeof leftover) > 0) {
    }
    // cat's complaint about the hang-up that ends it goes beside the file.
    const QByteArray command =
        "cat '" + QByteArray(pty.name) + "' > '" + QFile::encodeName(file) + "' 2> '" + QFile::encodeName(file) + ".err'";
    const std::atomic<bool> always{true};
    QElapsedTimer timer;
    timer.start();
    std::thread cat([&] { std::system(command.constData()); });
    pty.write(burst, always);
    const double ms = msUntil(timer, [&] { return QFileInfo(file).size() >= kSize; });
    ::close(pty.master);  // cat ends on the hang-up
    cat.join();
    ::close(slave);
    return ms < 0 ? 0 : double(kSize) / 1e3 / ms;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: receive_bench WORKDIR\n");
        return 2;
    }
    const BenchPty pty;
    if (!pty.isOpen())
        return 1;
    pty.makeNonBlocking();
    ByteBuffer burst(std::size_t(kSize), 0);
    for (std::size_t i = 0; i < burst.size(); ++i)
        burst[i] = benchPatternAt(qint64(i));

    PortUsageTable table(4);
    PortConnection port{PortSettings{QStringLiteral("COM1"), 115200, 8, 0, 0}, nullptr};
    if (const auto failure = ComPortAccess::open(port, QString::fromLocal8Bit(pty.name), table)) {
        std::fprintf(stderr, "%s\n", qPrintable(*failure));
        return 1;
    }
    SerialDevice& device = *port.handle;

    double idleCpuPercent = 0;
    double idleStopMs = 0;
    {
        Receive idle(app, port.handle);
        const double cpuBefore = processCpuSeconds();
        QTimer::singleShot(kIdleMs, &app, &QCoreApplication::quit);
        app.exec();
        idleCpuPercent = (processCpuSeconds() - cpuBefore) * 100.0 / (kIdleMs / 1000.0);
        idleStopMs = idle.stopMs(device);
    }

    double burstMbS = 0;
    bool complete = false;
    double streamStopMs = 0;
    {
        Receive burstRun(app, port.handle);
        QElapsedTimer timer;
        timer.start();
        const std::atomic<bool> always{true};
        pty.write(burst, always);
        const double ms = msUntil(timer, [&] { return burstRun.received.size() >= kSize; });
        burstMbS = ms < 0 ? 0 : double(kSize) / 1e3 / ms;
        complete = inOrder(burstRun.received);
        std::atomic<bool> streaming{true};
        std::thread stream([&] { pty.write(burst, streaming); });
        std::this_thread::sleep_for(std::chrono::milliseconds(kStreamBeforeStopMs));
        streamStopMs = burstRun.stopMs(device);
        streaming = false;
        stream.join();
    }
    ComPortAccess::close(port, table);

    const QString file = QString::fromLocal8Bit(argv[1]) + QStringLiteral("/received.bin");
    const double catMbS = catFromPty(pty, file, burst);
    QFile::remove(file);
    QFile::remove(file + QStringLiteral(".err"));
    std::printf("receive_64mib_worker_mb_s=%.1f complete_in_order=%s cat_from_pty_mb_s=%.1f "
                "idle_10s_cpu_percent=%.3f stop_idle_ms=%.1f stop_streaming_ms=%.1f\n",
                burstMbS, complete ? "yes" : "NO", catMbS, idleCpuPercent, idleStopMs, streamStopMs);
    return complete ? 0 : 1;
}
