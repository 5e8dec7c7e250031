#pragma once

#include <atomic>
#include <memory>

#include "marking/addressblock.h"
#include "workers/workerjob.h"

/// The kinds of mark, numbered as the Mark commands count them.
enum class MarkKind { None = 0, Bytes = 1, Blocks = 2, Patterns = 3, Units = 4 };

/// The mark state of a document that carries hex views; its panes share it,
/// so one mark at a time runs per document.
///
/// Idle: marking 0, markIdle 1. Running: marking 1, markIdle 0. Stopping:
/// marking 0, markIdle 0 (the worker has yet to end). Clearing `marking`
/// goes with cancelling the worker's job, whose flag the worker reads before
/// every piece of the block it scans and every batch of runs it colours.
struct MarkState {
    std::atomic<int> marking{0};
    std::atomic<int> markIdle{1};
    std::atomic<int> markKind{0};
    /// The running mark's worker; it hands on the byte spans it coloured.
    std::unique_ptr<WorkerJob<ByteSpan>> markWorker;

    bool isIdle() const { return marking == 0 && markIdle == 1; }
    bool isRunning(MarkKind kind) const { return marking == 1 && markKind == int(kind); }
    void setIdle()
    {
        marking = 0;
        markKind = 0;
        markIdle = 1;
    }
    /// Asks the running mark to stop; its end handler makes the state idle.
    void requestStop()
    {
        marking = 0;
        if (markWorker)
            markWorker->cancel();
    }
    /// Stops a running mark and waits for its worker, which ends within one piece or batch.
    void stop()
    {
        marking = 0;
        markWorker.reset();
        setIdle();
    }
};
