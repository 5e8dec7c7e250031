#pragma once

#include <atomic>

#include "bytemodel/bytemodel.h"
#include "marking/addressblock.h"
#include "marking/runwriter.h"

/// The frame every block scan shares: nothing once marking reads 0, nothing
/// for a block outside the bytes, the block in black first when clearing is
/// asked for, then body(writer, block) and the run it still holds. Returns
/// false when a stop ended the scan.
template <typename Body>
bool runBlockScan(const ByteModel& bytes, const AddressBlock& block, bool clearBlock, const std::atomic<int>& marking,
                  const MarkSink& sink, Body&& body)
{
    if (marking.load(std::memory_order_relaxed) == 0)
        return false;
    const std::optional<ByteSpan> span = clippedBlock(block, bytes.size());
    if (!span)
        return true;
    RunWriter writer(sink, marking);
    if (clearBlock && !writer.paint(span->first, span->last, kDefaultTextColor))
        return false;
    return body(writer, *span) && writer.finish();
}
