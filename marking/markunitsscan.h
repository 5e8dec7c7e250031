#pragma once

#include "workers/stopflag.h"

#include "marking/markunitssettings.h"
#include "marking/markrun.h"

class ByteModel;

/// Colours the block in units of unitSize bytes counted from its first byte,
/// alternately in color1 and color2 (the last unit may be shorter); a unit
/// size of 0 gives the whole block color1. With clearBlock the first run is
/// the whole block in black.
/// Returns false when the stop came before the work was done; the runs handed
/// on until then stay valid.
bool scanMarkUnits(const ByteModel& bytes, const MarkUnitsSettings& settings, const StopFlag& stop,
                     const MarkSink& sink);
