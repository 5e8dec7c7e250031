// Measures the hex document on a file of the given size: open to first
// painted listing, peak resident memory, one screen painted at the end of the
// file, RefreshByte of the last byte, typing over the last byte, an in-place
// refresh of 1 MiB with 100,000 colour runs after it, Export and Import
// throughput; then Mark Units (unit 2, two colours) over the whole file through
// the real command with the event loop's longest gap, one screen of the fully
// marked listing, and Clear Marks; last the byte edits as the Edit and
// Operations commands make them after their dialogs, each to a repainted
// listing: Cut of the first byte, its Undo, Mask over the whole file, Paste of
// 64 MiB from the clipboard, and Find of 4 bytes at the end. Last, a key typed
// and a caret move (Right) as real key events with the status bar's caret
// panes following, each until the event loop has updated the panes and
// repainted the listing.
// Usage: app_bench SIZE_MIB WORKDIR   (run with QT_QPA_PLATFORM=offscreen)
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStandardPaths>

#include <cstdio>
#include <ctime>
#include <random>
#include <sys/resource.h>

#include "app/cmainframe.h"
#include "byteops/bitwiseops.h"
#include "byteops/byteedits.h"
#include "byteops/edithistory.h"
#include "byteops/findbytes.h"
#include "byteops/globalbytebuffer.h"
#include "byteops/fieldids.h"
#include "docview/commandrouter.h"
#include "marking/markcontrolids.h"
#include "app/cvellmarapp.h"
#include "hexdoc/cvellmardoc.h"
#include "hexdoc/cvellmarview.h"
#include "hexdoc/hexdisplayexport.h"
#include "hexdoc/hexvaluesimport.h"
#include "prompt/prompter.h"

namespace {

/// Answers every file dialog with one path and every message with OK.
class FixedPrompter final : public Prompter {
public:
    QString path;
    Answer message(QWidget*, const QString&, const QString& text, Icon, Buttons) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        return Answer::Ok;
    }
    QString openFileName(QWidget*, const FileRequest&) override { return path; }
    QString saveFileName(QWidget*, const FileRequest&) override { return path; }
    bool choosePrinter(QWidget*, QPrinter&, PrinterDialog) override { return false; }
};

double msSince(const QElapsedTimer& t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

template <typename F>
double bestOf(int runs, F&& f)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        best = std::min(best, msSince(t));
    }
    return best;
}

void writeRandomFile(const QString& path, qint64 size)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    std::mt19937_64 random(42);
    QByteArray chunk(1 << 20, Qt::Uninitialized);
    for (qint64 done = 0; done < size; done += chunk.size()) {
        auto* words = reinterpret_cast<std::uint64_t*>(chunk.data());
        for (qsizetype i = 0; i < chunk.size() / 8; ++i)
            words[i] = random();
        f.write(chunk.constData(), std::min<qint64>(chunk.size(), size - done));
    }
}

/// Accepts the next Mark Units dialog with units of 2 bytes in red and blue over the whole file.
void acceptMarkUnits()
{
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        dialog->findChild<QLineEdit*>(QStringLiteral("field%1").arg(FieldId::UnitSize))->setText(QStringLiteral("2"));
        const std::pair<int, const char*> colors[] = {{MarkControlId::UnitColor1, "Red"},
                                                      {MarkControlId::UnitColor2, "Blue"}};
        for (const auto& [id, name] : colors) {
            auto* combo = dialog->findChild<QComboBox*>(MarkControlId::objectName(id));
            combo->setCurrentIndex(combo->findText(QLatin1String(name)));
        }
        dialog->accept();
    });
}

struct MarkFigures {
    double markMs = 0;
    double markCpuMs = 0;  // both threads' processor time: on a loaded machine the wall time says little
    double longestGapMs = 0;
    double extraMib = 0;
    double paintMs = 0;
    double clearMs = 0;
};

MarkFigures measureMarking(CMainFrame& frame, CVellmarView* view)
{
    MarkFigures figures;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const long rssBefore = usage.ru_maxrss;
    // The event loop's longest gap between two timer ticks while the mark runs.
    QElapsedTimer sinceTick;
    QTimer ticker;
    ticker.setInterval(1);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        figures.longestGapMs = std::max(figures.longestGapMs, msSince(sinceTick));
        sinceTick.restart();
    });
    view->setSelection(0, 0);
    acceptMarkUnits();
    QElapsedTimer mark;
    mark.start();
    const std::clock_t markStart = std::clock();
    CommandRouter::execute(frame.commandChain(), CommandId::MarkUnits);
    sinceTick.start();
    ticker.start();
    QEventLoop loop;
    QObject::connect(view->GetDocument(), &Document::commandStateChanged, &loop, [&] {
        if (view->GetDocument()->markState().isIdle())
            loop.quit();
    });
    if (!view->GetDocument()->markState().isIdle())
        loop.exec();
    figures.markMs = msSince(mark);
    figures.markCpuMs = double(std::clock() - markStart) * 1000.0 / CLOCKS_PER_SEC;
    ticker.stop();
    getrusage(RUSAGE_SELF, &usage);
    figures.extraMib = double(usage.ru_maxrss - rssBefore) / 1024.0;
    figures.paintMs = bestOf(20, [&] { view->viewport()->grab(); });
    figures.clearMs = bestOf(1, [&] { CommandRouter::execute(frame.commandChain(), CommandId::ClearMarks); });
    return figures;
}

struct EditFigures {
    double cutMs = 0;
    double undoMs = 0;
    double maskMs = 0;
    double pasteMs = 0;
    double findMbS = 0;
};

EditFigures measureEdits(CVellmarView* view)
{
    EditFigures figures;
    EditHistory& history = view->GetDocument()->history();
    ByteModel& bytes = view->GetDocument()->bytes();
    const auto repainted = [view](auto&& edit) {
        return bestOf(1, [&] {
            edit();
            view->viewport()->grab();
        });
    };
    figures.cutMs = repainted([&] { ByteEdits::removeBlock(history, 0, 0); });
    figures.undoMs = repainted([&] { history.undo(); });
    figures.maskMs = repainted([&] { BitwiseOps::mask(history, 0, bytes.size() - 1, {MaskChoice::Type::Xor, 0xFF}); });
    GlobalByteBuffer::put(ByteBuffer(std::size_t(64) << 20, 0x5A));
    figures.pasteMs = repainted([&] { ByteEdits::insertRun(history, 0, *GlobalByteBuffer::get()); });
    const std::uint8_t pattern[] = {0xDE, 0xAD, 0xBE, 0xEF};
    bytes.setBytes(bytes.size() - 4, pattern);
    const double findMs = bestOf(3, [&] { FindBytes(bytes, pattern, 0); });
    figures.findMbS = double(bytes.size()) / 1e3 / findMs;
    return figures;
}

struct KeyFigures {
    double typeMs = 0;
    double caretMoveMs = 0;
};

KeyFigures measureKeys(CVellmarView* view)
{
    const auto pressed = [view](Qt::Key key, const QString& text) {
        return bestOf(50, [&] {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
            QApplication::sendEvent(view, &press);
            // The panes' coalesced update and the listing's repaint.
            QApplication::processEvents();
        });
    };
    const TextPos middle = view->layout().HexPositionOfOffset(view->GetDocument()->bytes().size() / 2).first;
    view->setSelection(middle, middle);
    view->scrollCaretIntoView();
    QApplication::processEvents();
    KeyFigures figures;
    figures.typeMs = pressed(Qt::Key_4, QStringLiteral("4"));
    figures.caretMoveMs = pressed(Qt::Key_Right, QString());
    return figures;
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: app_bench SIZE_MIB WORKDIR\n");
        return 2;
    }
    QStandardPaths::setTestModeEnabled(true);
    const qint64 size = qint64(QByteArray(argv[1]).toLongLong()) << 20;
    const QString dir = QString::fromLocal8Bit(argv[2]);
    const QString binary = dir + "/bench.bin";
    const QString text = dir + "/bench.hex";
    writeRandomFile(binary, size);

    FixedPrompter prompter;
    Prompter::setInstance(&prompter);
    CVellmarApp app;
    app.initInstance({});
    app.mainFrame()->resize(1280, 900);

    QElapsedTimer open;
    open.start();
    app.openDocumentFile(binary);
    auto* view = dynamic_cast<CVellmarView*>(app.mainFrame()->activeView());
    view->viewport()->grab();
    const double openMs = msSince(open);

    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    const double peakMib = double(usage.ru_maxrss) / 1024.0;

    view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
    const double paintMs = bestOf(20, [&] { view->viewport()->grab(); });
    const ByteOffset last = ByteOffset(view->GetDocument()->bytes().size()) - 1;
    const double refreshMs = bestOf(20, [&] { view->RefreshByte(last); });

    // To a file in the work folder, as xxd is measured.
    prompter.path = dir + "/export.txt";
    const double exportMs = bestOf(3, [&] { HexDisplayExport::exportListing(view, view->textSource()); });
    std::system(qPrintable("xxd -p " + binary + " > " + text));
    prompter.path = text;
    ByteBuffer imported;
    const double importMs = bestOf(3, [&] { HexValuesImport::importFile(view, text, imported); });
    const qint64 textSize = QFile(text).size();
    const bool importedOk = imported == view->GetDocument()->bytes().copy(0, size);
    // Typing over the last byte, its trailing space included, as a user would.
    const std::uint8_t space = 0x20;
    view->GetDocument()->bytes().setBytes(last, std::span(&space, 1));
    getrusage(RUSAGE_SELF, &usage);
    const long rssBeforeTyping = usage.ru_maxrss;
    const TextPos lastDigit = view->layout().HexPositionOfOffset(last).first;
    const double typeMs = bestOf(20, [&] {
        view->setSelection(lastDigit, lastDigit);
        view->HandleChar(QLatin1Char('4'));
        view->HandleChar(QLatin1Char('3'));
    }) / 2;
    getrusage(RUSAGE_SELF, &usage);
    const double typingGrowthMib = double(usage.ru_maxrss - rssBeforeTyping) / 1024.0;

    // A bitwise operation's worth of bytes refreshed with many colour runs after the block.
    const ByteOffset block = std::min<ByteOffset>(ByteOffset(1) << 20, size / 2);
    std::vector<ColoredRange> runs;
    const TextPos afterBlock = view->layout().HexPositionOfOffset(block).first;
    for (TextPos pos = afterBlock; runs.size() < 100000 && pos + 3 < view->textLength(); pos += 5)
        runs.push_back({{pos, pos + 3}, 0xFF0000});
    view->colorRanges(runs);
    const double refreshBlockMs = bestOf(5, [&] { view->RefreshBytes(0, block - 1); });

    const MarkFigures marks = measureMarking(*app.mainFrame(), view);
    const EditFigures edits = measureEdits(view);
    const KeyFigures keys = measureKeys(view);

    const double mib = double(size) / (1 << 20);
    std::printf("size_mib=%.0f open_paint_ms=%.1f peak_rss_mib=%.1f paint_end_ms=%.3f refresh_last_ms=%.4f "
                "type_last_ms=%.4f typing_rss_growth_mib=%.1f refresh_block_ms=%.3f (%lld bytes, %zu runs) "
                "export_mb_s=%.0f import_mb_s=%.0f import_ok=%d\n",
                mib, openMs, peakMib, paintMs, refreshMs, typeMs, typingGrowthMib, refreshBlockMs,
                static_cast<long long>(block), runs.size(), double(size) / 1e3 / exportMs,
                double(textSize) / 1e3 / importMs, int(importedOk));
    std::printf("size_mib=%.0f mark_units_ms=%.0f (processor time: %.0f) longest_event_gap_ms=%.1f "
                "mark_extra_rss_mib=%.1f paint_marked_screen_ms=%.3f clear_marks_ms=%.2f\n",
                mib, marks.markMs, marks.markCpuMs, marks.longestGapMs, marks.extraMib, marks.paintMs, marks.clearMs);
    std::printf("size_mib=%.0f cut_first_byte_ms=%.1f undo_cut_ms=%.1f mask_all_ms=%.1f paste_64mib_ms=%.1f "
                "find_4_bytes_at_end_mb_s=%.0f\n",
                mib, edits.cutMs, edits.undoMs, edits.maskMs, edits.pasteMs, edits.findMbS);
    std::printf("size_mib=%.0f status_panes_on key_typed_ms=%.4f caret_moved_ms=%.4f\n", mib, keys.typeMs,
                keys.caretMoveMs);
    QFile::remove(dir + "/export.txt");
    QFile::remove(binary);
    QFile::remove(text);
    Prompter::setInstance(nullptr);
    return 0;
}
