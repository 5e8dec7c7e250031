#pragma once

#include <QString>

#include <functional>

#include "marking/markblockssettings.h"
#include "marking/markbytessettings.h"
#include "marking/markpatternssettings.h"
#include "marking/markrun.h"
#include "marking/markstate.h"
#include "marking/markunitssettings.h"

class ByteModel;
class HexView;

/// The Mark commands of one hex view: their dialogs with the view's
/// remembered settings, their enabling from the document's mark state, and
/// the mark worker, which scans the bytes on its own thread, colours the
/// view's marks and hands the coloured spans to the view to repaint.
class MarkEngine {
public:
    explicit MarkEngine(HexView& view);
    ~MarkEngine();
    MarkEngine(const MarkEngine&) = delete;
    MarkEngine& operator=(const MarkEngine&) = delete;

    /// A scan as the worker runs it.
    using Scan = std::function<bool(const ByteModel&, const StopFlag& stop, const MarkSink&)>;

private:
    void addCommands();
    /// A Mark command: stops the running mark of its kind, or asks for the
    /// settings and starts the worker.
    void startOrStop(MarkKind kind);
    Scan askSettings(MarkKind kind);
    void startWorker(Scan scan);
    void commandStateChanged();

    HexView& m_view;
    MarkBytesSettings m_bytes;
    MarkBlocksSettings m_blocks;
    MarkPatternsSettings m_patterns;
    MarkUnitsSettings m_units;
};
