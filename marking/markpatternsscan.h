#pragma once

#include "workers/stopflag.h"

#include "marking/markpatternssettings.h"
#include "marking/markrun.h"

class ByteModel;

/// Colours every pattern of the chosen type found in the block: the header,
/// the bytes after it and the closing part, each in its colour. A header or
/// (Type1, Type2) tail that reads as no bytes matches nothing. With clearBlock
/// the first run is the whole block in black.
/// Returns false when the stop came before the work was done; the runs handed
/// on until then stay valid.
bool scanMarkPatterns(const ByteModel& bytes, const MarkPatternsSettings& settings, const StopFlag& stop,
                        const MarkSink& sink);
