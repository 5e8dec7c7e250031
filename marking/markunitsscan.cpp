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
    if (oneRun)
        return writer.paint(block.first, block.last, colors[0]);
    return writer.paintUnits(block.first, block.last, settings.unitSize, colors);
}

}  // namespace

bool scanMarkUnits(const ByteModel& bytes, const MarkUnitsSettings& settings, const StopFlag& stop,
                   const MarkSink& sink)
{
    return runBlockScan(bytes, settings.block, settings.clearBlock, stop, sink,
                        [&](RunWriter& writer, const ByteSpan& block) { return paintUnits(writer, block, settings); });
}
