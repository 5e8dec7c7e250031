#pragma once

#include <atomic>

/// The one flag that stops a worker: its job's cancel flag. Scans read it
/// (relaxed) as often as they must stop; true means stop.
using StopFlag = std::atomic<bool>;

/// Whether the stop has been asked for.
inline bool stopRequested(const StopFlag& stop)
{
    return stop.load(std::memory_order_relaxed);
}
