#include "marking/markunitsscan.h"

#include <algorithm>

#include "bytemodel/bytemodel.h"
#include "marking/blockscan.h"
#include "marking/colorpalette.h"

namespace {

bool paintUnits(RunWriter& writer, const ByteSpan& block, const MarkUnitsSettings& settings)
{
    const Rgb colors[] = {ColorFromName(settings.color1), ColorFromName(settings.color2)};
    // A unit size of 0 never completes a unit: the whole block keeps the first
    // colour. Two equal colours make the block one run.
    const bool oneRun = settings.unitSize <= 0 || colors[0] == colors[1];
    const qint64 unit = oneRun ? block.last - block.first + 1 : settings.unitSize;
    int which = 0;
    for (ByteOffset first = block.first; first <= block.last; first += unit, which ^= 1) {
        if (!writer.paint(first, std::min(first + unit - 1, block.last), colors[which]))
            return false;
    }
    return true;
}

}  // namespace

bool scanMarkUnits(const ByteModel& bytes, const MarkUnitsSettings& settings, const StopFlag& stop,
                   const MarkSink& sink)
{
    return runBlockScan(bytes, settings.block, settings.clearBlock, stop, sink,
                        [&](RunWriter& writer, const ByteSpan& block) { return paintUnits(writer, block, settings); });
}
