// Measures a receive shown live in a hex view: a 64 MiB burst written into a
// pseudo-terminal as fast as it goes is appended by the receive worker to the
// bytes of a hex document whose view is scrolled to the middle of 2 MiB of
// earlier bytes, 1 MiB of them marked. Reports the throughput, the
// user-interface thread's longest stall (the longest gap between the ticks of
// a 1 ms timer, with the processor time the thread itself used in that gap,
// so that a wait for a core on a loaded machine shows as such), how long
// after the last byte arrived the view had grown its listing to it, and
// whether the scroll position and the marks stayed.
// Usage: receive_view_bench   (run with QT_QPA_PLATFORM=offscreen)
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <ctime>
#include <thread>

#include "app/cmainframe.h"
#include "app/cvellmarapp.h"
#include "benchpty.h"
#include "hexdoc/cvellmardoc.h"
#include "hexdoc/cvellmarview.h"
#include "serial/comportaccess.h"
#include "serial/portusagetable.h"
#include "serial/receiveworker.h"
#include "serialdevice/serialdevice.h"

namespace {

constexpr qint64 kEarlier = qint64(2) << 20;
constexpr qint64 kMarked = qint64(1) << 20;
constexpr qint64 kBurst = qint64(64) << 20;
constexpr Rgb kMarkColor = 0xFF0000;

qint64 threadCpuNs()
{
    timespec t{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QStandardPaths::setTestModeEnabled(true);  // the settings of a scratch user
    CVellmarApp app;
    app.initInstance({});
    app.mainFrame()->resize(1280, 900);
    app.mainFrame()->executeCommand(CommandId::FileNew);
    auto* view = dynamic_cast<CVellmarView*>(app.mainFrame()->activeView());
    const BenchPty pty;
    if (!view || !pty.isOpen())
        return 1;
    pty.makeNonBlocking();
    ByteModel& bytes = view->GetDocument()->bytes();
    bytes.assign(ByteBuffer(std::size_t(kEarlier), 0x41));
    view->markBytes(0, kMarked - 1, kMarkColor);
    QScrollBar& scroll = *view->verticalScrollBar();
    scroll.setValue(scroll.maximum() / 2);
    const int scrolledTo = scroll.value();
    QApplication::processEvents();

    PortUsageTable table(4);
    PortConnection port{PortSettings{QStringLiteral("COM1"), 115200, 8, 0, 0}, nullptr};
    if (const auto failure = ComPortAccess::open(port, QString::fromLocal8Bit(pty.name), table)) {
        std::fprintf(stderr, "%s\n", qPrintable(*failure));
        return 1;
    }
    ByteBuffer burst(std::size_t(kBurst), 0);
    for (std::size_t i = 0; i < burst.size(); ++i)
        burst[i] = benchPatternAt(qint64(i));

    constexpr qint64 kTotal = kEarlier + kBurst;
    QElapsedTimer clock;
    std::atomic<qint64> arrivedNs{0};
    qint64 shownNs = 0;
    qint64 longestGapNs = 0;
    qint64 longestGapCpuNs = 0;  // the thread's own work in that gap; the rest was waiting for a core
    qint64 lastTickNs = 0;
    qint64 lastTickCpuNs = 0;
    QEventLoop receiving;  // not the application's loop, whose end would close the window
    QTimer ticks;
    ticks.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        const qint64 cpuNow = threadCpuNs();
        if (now - lastTickNs > longestGapNs) {
            longestGapNs = now - lastTickNs;
            longestGapCpuNs = cpuNow - lastTickCpuNs;
        }
        lastTickNs = now;
        lastTickCpuNs = cpuNow;
    });
    // Connected after the view: it runs once the view has handled the same notice.
    QObject::connect(&bytes, &ByteModel::changed, [&](const ByteChange& change) {
        if (change.offset + change.count >= kTotal && shownNs == 0) {
            shownNs = clock.nsecsElapsed();
            QTimer::singleShot(0, &receiving, &QEventLoop::quit);
        }
    });
    bool ended = false;
    auto job = ReceiveWorker::start(&application, bytes, port.handle, [&](bool, const ReceiveOutcome&) { ended = true; });
    const std::atomic<bool> always{true};
    clock.start();
    std::thread writer([&] { pty.write(burst, always); });
    std::thread watcher([&] {
        while (bytes.size() < kTotal)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        arrivedNs = clock.nsecsElapsed();
    });
    ticks.start(1);
    receiving.exec();
    ticks.stop();
    writer.join();
    watcher.join();
    job->cancel();
    port.handle->interruptRead();
    while (!ended)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    ComPortAccess::close(port, table);
    view->GetDocument()->setBytesChanged(0);  // nothing to save at the end

    const bool marksKept = view->byteMarkAt(0) == kMarkColor && view->byteMarkAt(kMarked - 1) == kMarkColor;
    const bool inOrder = bytes.size() == kTotal && bytes.byteAt(kEarlier) == benchPatternAt(0)
                         && bytes.byteAt(kTotal - 1) == benchPatternAt(kBurst - 1);
    std::printf("receive_64mib_into_view_mb_s=%.1f ui_longest_stall_ms=%.1f (ui_thread_cpu_in_it_ms=%.1f) "
                "last_byte_shown_after_ms=%.1f scroll_kept=%s marks_kept=%s ends_in_order=%s\n",
                double(kBurst) / 1e3 / (double(arrivedNs) / 1e6), double(longestGapNs) / 1e6,
                double(longestGapCpuNs) / 1e6,
                double(shownNs - arrivedNs) / 1e6, scroll.value() == scrolledTo ? "yes" : "NO",
                marksKept ? "yes" : "NO", inOrder ? "yes" : "NO");
    return marksKept && inOrder ? 0 : 1;
}
