#pragma once

#include <functional>

#include "bytemodel/bytebuffer.h"
#include "listing/formatranges.h"

/// Bytes first to last (inclusive) to be shown in one colour.
struct MarkRun {
    ByteOffset first;
    ByteOffset last;
    Rgb color;
    bool operator==(const MarkRun&) const = default;
};

/// Takes the runs of a scan in the order they apply: a later run wins on the
/// bytes it shares with an earlier one.
using MarkSink = std::function<void(const MarkRun&)>;
