#pragma once

#include "workers/stopflag.h"

#include "marking/markbytessettings.h"
#include "marking/markrun.h"

class ByteModel;

/// Colours every occurrence (overlapping ones too) of each non-empty value
/// that lies wholly inside the block, in its colour; where the occurrences of
/// two values share a byte, the later value's colour wins. With clearBlock the
/// first run is the whole block in black.
/// Returns false when the stop came before the work was done; the runs handed
/// on until then stay valid.
bool scanMarkBytes(const ByteModel& bytes, const MarkBytesSettings& settings, const StopFlag& stop,
                     const MarkSink& sink);
