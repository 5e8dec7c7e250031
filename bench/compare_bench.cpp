// Measures a comparison through the real window on two 256 MiB files that
// differ in 1% of their bytes at random offsets: Start Compare to the report,
// the event loop's longest gap meanwhile, the peak resident memory, how long
// Stop Compare takes to end a run; then Start Compare to the report on two
// identical files, and Find Next Different Byte over them from byte 0.
// The files stay in WORKDIR (a.bin, b.bin, same.bin) for cmp to be timed on.
// Usage: compare_bench WORKDIR   (run with QT_QPA_PLATFORM=offscreen)
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <deque>
#include <random>
#include <sys/resource.h>

#include "app/ccomparefileschildframe.h"
#include "app/cmainframe.h"
#include "app/cvellmarapp.h"
#include "compare/ccomparedfileview.h"
#include "prompt/prompter.h"

namespace {

constexpr std::size_t kSize = std::size_t(256) << 20;

/// Answers the file dialogs from a queue and notes when the report comes.
class BenchPrompter final : public Prompter {
public:
    std::deque<QString> paths;
    QElapsedTimer reported;
    Answer message(QWidget*, const QString&, const QString& text, Icon, Buttons) override
    {
        reported.start();
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        return Answer::Ok;
    }
    QString openFileName(QWidget*, const FileRequest&) override
    {
        const QString path = paths.front();
        paths.pop_front();
        return path;
    }
    QString saveFileName(QWidget*, const FileRequest&) override { return {}; }
    bool choosePrinter(QWidget*, QPrinter&, PrinterDialog) override { return false; }
};

double msSince(const QElapsedTimer& t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

void writeFile(const QString& path, const ByteBuffer& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())) != qint64(bytes.size()))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

void makeFiles(const QString& dir)
{
    std::mt19937_64 random(16);
    ByteBuffer bytes(kSize);
    for (std::size_t i = 0; i < kSize; i += 8) {
        const std::uint64_t word = random();
        std::memcpy(bytes.data() + i, &word, 8);
    }
    writeFile(dir + "/a.bin", bytes);
    writeFile(dir + "/same.bin", bytes);
    for (std::size_t n = kSize / 100; n > 0; --n)
        bytes[random() % kSize] ^= std::uint8_t(1 + random() % 255);
    writeFile(dir + "/b.bin", bytes);
}

struct Run {
    double ms = 0;
    double longestGapMs = 0;
};

/// Runs a command and the event loop until the comparison is idle again,
/// timing until `until` says it is over and the longest gap between two ticks.
template <typename Until>
Run runUntil(CMainFrame& frame, CCompareFilesDoc* doc, CommandId id, Until until)
{
    Run run;
    QElapsedTimer sinceTick;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        run.longestGapMs = std::max(run.longestGapMs, msSince(sinceTick));
        sinceTick.start();
    });
    ticker.start(1);
    QElapsedTimer timer;
    timer.start();
    sinceTick.start();
    frame.executeCommand(id);
    while (!until())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    run.ms = msSince(timer);
    while (!doc->isComparisonIdle())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return run;
}

CComparedFileView* openComparison(CVellmarApp& app, BenchPrompter& prompter, const QString& path1, const QString& path2)
{
    prompter.paths = {path1, path2};
    app.mainFrame()->executeCommand(CommandId::Compare);
    auto* window = qobject_cast<CCompareFilesChildFrame*>(app.mainFrame()->activeChildFrame());
    return window ? window->pane(0) : nullptr;
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: compare_bench WORKDIR\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    QStandardPaths::setTestModeEnabled(true);
    makeFiles(dir);
    BenchPrompter prompter;
    Prompter::setInstance(&prompter);
    CVellmarApp app;
    app.initInstance({});
    CMainFrame& frame = *app.mainFrame();

    CComparedFileView* pane = openComparison(app, prompter, dir + "/a.bin", dir + "/b.bin");
    CCompareFilesDoc* doc = pane->GetDocument();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double loadedMib = double(usage.ru_maxrss) / 1024.0;
    prompter.reported.invalidate();
    const Run differing = runUntil(frame, doc, CommandId::StartCompare, [&] { return prompter.reported.isValid(); });
    getrusage(RUSAGE_SELF, &usage);
    const double peakMib = double(usage.ru_maxrss) / 1024.0;

    // Stop Compare 20 ms into a run: how long until the worker has ended.
    QElapsedTimer stopAt;
    frame.executeCommand(CommandId::StartCompare);
    stopAt.start();
    while (msSince(stopAt) < 20)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const Run stop = runUntil(frame, doc, CommandId::StopCompare, [&] { return doc->isComparisonIdle(); });
    frame.executeCommand(CommandId::FileClose);

    pane = openComparison(app, prompter, dir + "/a.bin", dir + "/same.bin");
    doc = pane->GetDocument();
    prompter.reported.invalidate();
    const Run identical = runUntil(frame, doc, CommandId::StartCompare, [&] { return prompter.reported.isValid(); });
    pane->selectEditRange({0, 0});
    QElapsedTimer find;
    find.start();
    frame.executeCommand(CommandId::FindNextDiff);
    const double findMs = msSince(find);
    frame.executeCommand(CommandId::FileClose);

    std::printf("compare_256mib_1pct_ms=%.0f longest_event_gap_ms=%.1f stop_ms=%.1f peak_rss_mib=%.0f "
                "loaded_rss_mib=%.0f compare_256mib_identical_ms=%.0f find_next_256mib_ms=%.0f\n",
                differing.ms, std::max(differing.longestGapMs, stop.longestGapMs), stop.ms, peakMib, loadedMib,
                identical.ms, findMs);
    Prompter::setInstance(nullptr);
    return 0;
}
