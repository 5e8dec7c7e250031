#include "marking/markblocksscan.h"

#include "bytemodel/bytemodel.h"
#include "marking/colorpalette.h"
#include "marking/runwriter.h"

bool scanMarkBlocks(const ByteModel& bytes, const MarkBlocksSettings& settings, const StopFlag& stop,
                    const MarkSink& sink)
{
    const qint64 size = bytes.size();
    if (settings.clearFile && size > 0)
        sink(MarkRun{0, size - 1, kDefaultTextColor});
    if (stopRequested(stop))
        return false;
    RunWriter writer(sink, stop);
    for (int k = 0; k < MarkBlocksSettings::kBlockCount; ++k) {
        const std::optional<ByteSpan> block = clippedBlock(settings.blocks[k], size);
        if (block && !writer.paint(block->first, block->last, ColorFromName(settings.colorNames[k])))
            return false;
    }
    return writer.finish();
}
