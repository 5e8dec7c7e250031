#include "hexdoc/markengine.h"

#include <QDialog>
#include <QPointer>

#include <algorithm>
#include <vector>

#include "docview/document.h"
#include "hexdoc/hexview.h"
#include "hexdoc/rungatherer.h"
#include "marking/cmarkblocksdlg.h"
#include "marking/cmarkbytesdlg.h"
#include "marking/cmarkpatternsdlg.h"
#include "marking/cmarkunitsdlg.h"
#include "marking/markblocksscan.h"
#include "marking/markbytesscan.h"
#include "marking/markpatternsscan.h"
#include "marking/markunitsscan.h"
#include "prompt/waitcursor.h"

namespace {

struct MarkCommand {
    CommandId id;
    MarkKind kind;
};

constexpr MarkCommand kMarkCommands[] = {
    {CommandId::MarkBytes, MarkKind::Bytes},
    {CommandId::MarkBlocks, MarkKind::Blocks},
    {CommandId::MarkPatterns, MarkKind::Patterns},
    {CommandId::MarkUnits, MarkKind::Units},
};

// Runs the worker colours before it hands them on: a batch is one lock of
// the marks and one queued repaint.
constexpr std::size_t kRunsPerBatch = 1 << 12;

/// Shows a Mark dialog; on OK remembers its settings and gives the scan of them.
template <typename Dialog, typename Settings, typename ScanFunction, typename... DialogArgs>
MarkEngine::Scan ask(Settings& remembered, ScanFunction scan, DialogArgs&&... args)
{
    Dialog dialog(std::forward<DialogArgs>(args)...);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    remembered = dialog.settings();
    return [settings = remembered, scan](const ByteModel& bytes, const StopFlag& stop,
                                         const MarkSink& sink) { return scan(bytes, settings, stop, sink); };
}

}  // namespace

MarkEngine::MarkEngine(HexView& view)
    : m_view(view)
{
    addCommands();
}

MarkEngine::~MarkEngine() = default;

void MarkEngine::addCommands()
{
    for (const MarkCommand& command : kMarkCommands) {
        m_view.commands().onCommand(command.id, [this, command] { startOrStop(command.kind); });
        // The running kind shows checked and stays enabled, so that choosing it again stops it.
        m_view.commands().onUpdate(command.id, [this, command](CommandState& state) {
            const MarkState& marks = m_view.markState();
            state.checked = marks.isRunning(command.kind);
            state.enabled = marks.marking == 1 ? state.checked : marks.markIdle == 1;
        });
    }
    m_view.commands().onCommand(CommandId::ClearMarks, [this] {
        WaitCursor wait;
        m_view.ClearAllMarks();
        m_view.syncModifiedFlag();
    });
}

void MarkEngine::startOrStop(MarkKind kind)
{
    MarkState& state = m_view.markState();
    if (state.marking == 1) {
        state.requestStop();
        commandStateChanged();
        return;
    }
    if (state.markIdle != 1)
        return;  // the stopped worker has yet to end
    state.marking = 1;
    state.markIdle = 0;
    state.markKind = int(kind);
    commandStateChanged();
    Scan scan = askSettings(kind);
    if (!scan) {
        state.setIdle();
        commandStateChanged();
        return;
    }
    startWorker(std::move(scan));
}

MarkEngine::Scan MarkEngine::askSettings(MarkKind kind)
{
    const qint64 size = m_view.model().size();
    const ByteRange selected = m_view.SelectionToByteRange();
    const AddressBlock block = defaultMarkBlock(selected.first, selected.last, size);
    QWidget* parent = m_view.window();
    switch (kind) {
    case MarkKind::Bytes:
        return ask<CMarkBytesDlg>(m_bytes, scanMarkBytes, size, m_bytes, block, parent);
    case MarkKind::Blocks:
        return ask<CMarkBlocksDlg>(m_blocks, scanMarkBlocks, size, m_blocks, parent);
    case MarkKind::Patterns:
        return ask<CMarkPatternsDlg>(m_patterns, scanMarkPatterns, size, m_patterns, block, parent);
    case MarkKind::Units:
        return ask<CMarkUnitsDlg>(m_units, scanMarkUnits, size, m_units, block, parent);
    case MarkKind::None:
        break;
    }
    return {};
}

void MarkEngine::startWorker(Scan scan)
{
    MarkState& state = m_view.markState();
    Document* document = m_view.document();
    QPointer<HexView> view(&m_view);
    auto cursor = std::make_shared<WaitCursor>();
    state.markWorker = std::make_unique<WorkerJob<ByteSpan>>(
        document,
        [view](std::vector<ByteSpan>& spans) {
            if (!view)
                return;
            ByteSpan all = spans.front();
            for (const ByteSpan& span : spans)
                all = {std::min(all.first, span.first), std::max(all.last, span.last)};
            view->showMarks(all.first, all.last);
        },
        [view, document, &state, cursor](bool) mutable {
            state.setIdle();
            cursor.reset();
            if (view)
                view->syncModifiedFlag();
            emit document->commandStateChanged();
        });
    state.markWorker->start([scan = std::move(scan), marks = m_view.sharedMarks(),
                             &bytes = m_view.model()](WorkerJob<ByteSpan>& job) {
        RunGatherer gatherer(kRunsPerBatch, [&](RunGatherer::Batch& batch) {
            marks->apply(batch);
            ByteSpan span{batch.front().first, batch.front().last};
            for (const AlternatingRun& run : batch)
                span = {std::min(span.first, run.first), std::max(span.last, run.last)};
            job.post(span);
        });
        scan(bytes, job.cancelFlag(),
             MarkSink([&gatherer](const MarkRun& run) { gatherer.add(run); },
                      [&gatherer](const AlternatingRun& run) { gatherer.addAlternation(run); }));
        gatherer.finish();
    });
}

void MarkEngine::commandStateChanged()
{
    emit m_view.document()->commandStateChanged();
}
