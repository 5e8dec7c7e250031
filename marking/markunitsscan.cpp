#include "marking/markunitsscan.h"

#include <algorithm>

#include "bytemodel/bytemodel.h"
#include "marking/colorpalette.h"
#include "marking/runwriter.h"

bool scanMarkUnits(const ByteModel& bytes, const MarkUnitsSettings& settings, const std::atomic<int>& marking,
                   const MarkSink& sink)
{
    if (marking.load(std::memory_order_relaxed) == 0)
        return false;
    const std::optional<ByteSpan> block = clippedBlock(settings.block, bytes.size());
    if (!block)
        return true;
    RunWriter writer(sink, marking);
    if (settings.clearBlock && !writer.paint(block->first, block->last, kDefaultTextColor))
        return false;
    const Rgb colors[] = {ColorFromName(settings.color1), ColorFromName(settings.color2)};
    // A unit size of 0 never completes a unit: the whole block keeps the first
    // colour. Two equal colours make the block one run.
    const bool oneRun = settings.unitSize <= 0 || colors[0] == colors[1];
    const qint64 unit = oneRun ? block->last - block->first + 1 : settings.unitSize;
    int which = 0;
    for (ByteOffset first = block->first; first <= block->last; first += unit, which ^= 1) {
        if (!writer.paint(first, std::min(first + unit - 1, block->last), colors[which]))
            return false;
    }
    return writer.finish();
}
