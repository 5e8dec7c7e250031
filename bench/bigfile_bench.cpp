// Measures the hex document on a large file opened from disk (read lazily):
// open to the first painted listing and the peak resident memory then, Go To
// the last byte and its paint, the memory a read of the whole file screen by
// screen adds, Find of 4 bytes at the end (warm cache), Cut of the first byte
// and its Undo to the repainted listing, and, with --save, Save through the
// temporary file after one typed byte.
// Usage: bigfile_bench FILE [--save]   (run with QT_QPA_PLATFORM=offscreen)
#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QStandardPaths>

#include <cstdio>
#include <ctime>
#include <sys/resource.h>

#include "app/cvellmarapp.h"
#include "app/cmainframe.h"
#include "byteops/byteedits.h"
#include "byteops/edithistory.h"
#include "byteops/findbytes.h"
#include "docview/commandrouter.h"
#include "hexdoc/cvellmardoc.h"
#include "hexdoc/cvellmarview.h"
#include "prompt/prompter.h"

namespace {

/// Says every message on the error stream and answers it with OK.
class TellingPrompter final : public Prompter {
public:
    Answer message(QWidget*, const QString&, const QString& text, Icon, Buttons) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        return Answer::Ok;
    }
    QString openFileName(QWidget*, const FileRequest&) override { return {}; }
    QString saveFileName(QWidget*, const FileRequest&) override { return {}; }
    bool choosePrinter(QWidget*, QPrinter&, PrinterDialog) override { return false; }
};

double msSince(const QElapsedTimer& t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

template <typename F>
double timed(F&& f)
{
    QElapsedTimer t;
    t.start();
    f();
    return msSince(t);
}

double peakMib()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

/// Reads every byte in screens of 50 lines of 16 bytes, as paging through the listing does.
void readScreenByScreen(const ByteModel& bytes)
{
    ByteBuffer screen(16 * 50);
    for (ByteOffset at = 0; at < bytes.size(); at += ByteOffset(screen.size()))
        bytes.read(at, screen);
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bigfile_bench FILE [--save]\n");
        return 2;
    }
    QStandardPaths::setTestModeEnabled(true);
    const QString file = QString::fromLocal8Bit(argv[1]);
    TellingPrompter prompter;
    Prompter::setInstance(&prompter);
    CVellmarApp app;
    app.initInstance({});
    app.mainFrame()->resize(1280, 900);

    CVellmarView* view = nullptr;
    const double openMs = timed([&] {
        app.openDocumentFile(file);
        view = dynamic_cast<CVellmarView*>(app.mainFrame()->activeView());
        view->viewport()->grab();
    });
    const double openPeakMib = peakMib();
    CVellmarDoc* doc = view->GetDocument();
    ByteModel& bytes = doc->bytes();
    const double goToEndMs = timed([&] {
        view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
        view->viewport()->grab();
    });
    const double beforePaging = peakMib();
    const double pagingMs = timed([&] { readScreenByScreen(bytes); });
    const double pagingGrowthMib = peakMib() - beforePaging;

    const std::uint8_t pattern[] = {0xDE, 0xAD, 0xBE, 0xEF};
    bytes.setBytes(bytes.size() - 4, pattern);
    FindBytes(bytes, pattern, 0);  // warms the page cache
    // The processor time too: on a loaded machine the wall time says more about the other processes.
    const std::clock_t findStart = std::clock();
    const double findMs = timed([&] { FindBytes(bytes, pattern, 0); });
    const double findCpuMs = double(std::clock() - findStart) * 1000.0 / CLOCKS_PER_SEC;

    const auto repainted = [view](auto&& edit) {
        return timed([&] {
            edit();
            view->viewport()->grab();
        });
    };
    EditHistory& history = doc->history();
    const double cutMs = repainted([&] { ByteEdits::removeBlock(history, 0, 0); });
    const double undoMs = repainted([&] { history.undo(); });

    double saveMs = 0;
    if (argc > 2 && QByteArray(argv[2]) == "--save") {
        ByteEdits::setByte(history, bytes.size() / 2, 0x42);
        saveMs = timed([&] { CommandRouter::execute(app.mainFrame()->commandChain(), CommandId::FileSave); });
    }
    const double mib = double(bytes.size()) / (1 << 20);
    std::printf("size_mib=%.1f open_paint_ms=%.1f open_peak_rss_mib=%.1f goto_end_paint_ms=%.2f "
                "page_through_ms=%.0f page_through_rss_growth_mib=%.1f find_4_bytes_at_end_mb_s=%.0f "
                "(processor time: %.0f) cut_first_byte_ms=%.2f undo_cut_ms=%.2f save_mb_s=%.0f\n",
                mib, openMs, openPeakMib, goToEndMs, pagingMs, pagingGrowthMib, double(bytes.size()) / 1e3 / findMs,
                double(bytes.size()) / 1e3 / findCpuMs, cutMs, undoMs, saveMs > 0 ? double(bytes.size()) / 1e3 / saveMs : 0.0);
    Prompter::setInstance(nullptr);
    return 0;
}
