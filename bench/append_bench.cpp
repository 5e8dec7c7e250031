// Measures the byte model's append path as a receive worker uses it:
// many small appends from a worker thread while a hex view shows the model
// (the notices the view drains per second, the longest stall of the
// user-interface thread, how soon the view shows the last byte), then one
// 64-byte append to a 512 MiB model in memory while another thread reads it
// (the longest read and the longest append).
// Usage: append_bench WORKDIR [APPENDS]
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <random>
#include <thread>
#include <vector>

#include "app/cmainframe.h"
#include "app/cvellmarapp.h"
#include "hexdoc/cvellmardoc.h"
#include "hexdoc/cvellmarview.h"

namespace {

constexpr std::size_t kAppendSize = 64;

double msOf(qint64 nanoseconds)
{
    return double(nanoseconds) / 1e6;
}

double medianMs(std::vector<qint64> durations)
{
    std::nth_element(durations.begin(), durations.begin() + qsizetype(durations.size() / 2), durations.end());
    return msOf(durations[durations.size() / 2]);
}

/// The longest gap between two ticks of a 1 ms timer on this thread while
/// running(): the user-interface thread's longest stall.
template <typename Running>
qint64 longestTickGap(const Running& running)
{
    qint64 longest = 0;
    QElapsedTimer sinceTick;
    QTimer ticker;
    ticker.setInterval(1);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longest = std::max(longest, sinceTick.nsecsElapsed());
        sinceTick.restart();
    });
    sinceTick.start();
    ticker.start();
    while (running())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    return longest;
}

void measureWorkerAppends(CVellmarView& view, int appends)
{
    ByteModel& model = view.GetDocument()->bytes();
    const qint64 target = model.size() + qint64(appends) * qint64(kAppendSize);
    int notices = 0;
    QObject::connect(&model, &ByteModel::changed, &view, [&notices] { ++notices; });
    view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum());

    // The same second with no worker: what the machine's load alone costs the event loop.
    QElapsedTimer idle;
    idle.start();
    const qint64 idleGap = longestTickGap([&idle] { return idle.elapsed() < 1000; });
    QElapsedTimer run;
    run.start();
    std::atomic<qint64> workerDoneAt{0};
    std::thread worker([&] {
        ByteBuffer bytes(kAppendSize);
        for (int i = 0; i < appends; ++i) {
            std::fill(bytes.begin(), bytes.end(), std::uint8_t(i));
            model.append(bytes);
        }
        workerDoneAt = run.nsecsElapsed();
    });
    const qint64 longestGap = longestTickGap([&] { return view.endPosition() != EndPosition::of(target); });
    const qint64 shownAt = run.nsecsElapsed();
    worker.join();
    std::printf("worker_appends=%d append_bytes=%zu worker_mb_s=%.1f appends_per_s=%.0f notices=%d "
                "notices_per_s=%.1f last_byte_shown_after_worker_ms=%.1f longest_ui_gap_ms=%.1f "
                "longest_ui_gap_without_worker_ms=%.1f follows_end=%d\n",
                appends, kAppendSize, double(target) / 1e3 / msOf(workerDoneAt), appends / (msOf(workerDoneAt) / 1e3),
                notices, notices / (msOf(shownAt) / 1e3), msOf(shownAt - workerDoneAt), msOf(longestGap),
                msOf(idleGap), int(view.verticalScrollBar()->value() == view.verticalScrollBar()->maximum()));
}

void measureAppendToLargeModel()
{
    constexpr qint64 kSize = qint64(512) << 20;
    ByteModel model;
    model.assign(ByteBuffer(std::size_t(kSize), 0x5A));
    std::atomic<bool> reading{true};
    std::vector<qint64> reads;
    std::thread reader([&] {
        std::mt19937_64 random(7);
        ByteBuffer out(4096);
        while (reading) {
            QElapsedTimer read;
            read.start();
            model.read(qint64(random() % std::uint64_t(kSize - 4096)), out);
            reads.push_back(read.nsecsElapsed());
        }
    });
    std::vector<qint64> appends;
    const ByteBuffer bytes(kAppendSize, 0xA5);
    for (int i = 0; i < 100; ++i) {
        QElapsedTimer append;
        append.start();
        model.append(bytes);
        appends.push_back(append.nsecsElapsed());
        // The reader gets the lock between appends, as between received chunks.
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    reading = false;
    reader.join();
    std::printf("model_mib=512 appends=100 append_median_ms=%.3f append_longest_ms=%.3f reads=%zu "
                "read_median_ms=%.3f read_longest_ms=%.3f\n",
                medianMs(appends), msOf(*std::max_element(appends.begin(), appends.end())), reads.size(),
                medianMs(reads), msOf(*std::max_element(reads.begin(), reads.end())));
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: append_bench WORKDIR [APPENDS]\n");
        return 2;
    }
    QStandardPaths::setTestModeEnabled(true);
    const int appends = argc > 2 ? QByteArray(argv[2]).toInt() : 2000000;
    const QString file = QString::fromLocal8Bit(argv[1]) + QStringLiteral("/append.bin");
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(QByteArray(64, '\0')) != 64)
        return 1;
    out.close();

    CVellmarApp app;
    app.initInstance({});
    app.mainFrame()->resize(1280, 900);
    app.openDocumentFile(file);
    auto* view = dynamic_cast<CVellmarView*>(app.mainFrame()->activeView());
    view->viewport()->grab();
    measureWorkerAppends(*view, appends);
    measureAppendToLargeModel();
    return 0;
}
