#pragma once

#include "workers/stopflag.h"

#include "marking/markblockssettings.h"
#include "marking/markrun.h"

class ByteModel;

/// Colours each block whose two addresses are given, in either order and cut
/// to the last byte, in its colour; a later block wins on shared bytes. With
/// clearFile the first run is the whole file in black, handed on even when a
/// stop came before the scan, as clearing the file does not wait for the flag.
/// Returns false when the stop came before the work was done; the runs handed
/// on until then stay valid.
bool scanMarkBlocks(const ByteModel& bytes, const MarkBlocksSettings& settings, const StopFlag& stop,
                      const MarkSink& sink);
