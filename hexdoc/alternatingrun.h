#pragma once

#include "bytemodel/bytebuffer.h"
#include "listing/formatranges.h"
#include "marking/markrun.h"

/// Bytes first..last coloured in units of `unit` bytes, alternately
/// colors[0] and colors[1] from first on; the last unit may be cut short.
/// One plain run is a single unit.
struct AlternatingRun {
    ByteOffset first = 0;
    ByteOffset last = -1;
    qint64 unit = 0;
    Rgb colors[2] = {kDefaultTextColor, kDefaultTextColor};

    static AlternatingRun plain(const MarkRun& run)
    {
        return {run.first, run.last, run.last - run.first + 1, {run.color, run.color}};
    }
};
