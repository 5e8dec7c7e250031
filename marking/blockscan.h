#pragma once

#include "workers/stopflag.h"

#include "bytemodel/bytemodel.h"
#include "marking/addressblock.h"
#include "marking/runwriter.h"

/// The frame every block scan shares: nothing once the stop is asked, nothing
/// for a block outside the bytes, the block in black first when clearing is
/// asked for, then body(writer, block) and the run it still holds. Returns
/// false when a stop ended the scan.
template <typename Body>
bool runBlockScan(const ByteModel& bytes, const AddressBlock& block, bool clearBlock, const StopFlag& stop,
                  const MarkSink& sink, Body&& body)
{
    if (stopRequested(stop))
        return false;
    const std::optional<ByteSpan> span = clippedBlock(block, bytes.size());
    if (!span)
        return true;
    RunWriter writer(sink, stop);
    if (clearBlock && !writer.paint(span->first, span->last, kDefaultTextColor))
        return false;
    return body(writer, *span) && writer.finish();
}
