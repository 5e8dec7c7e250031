#pragma once

#include <QString>

#include <algorithm>
#include <functional>

#include "bytemodel/bytemodel.h"
#include "workers/stopflag.h"

/// The positional comparison of two files: byte i of File1 against byte i of
/// File2, no alignment. Widget-free; the bytes are read through each model's
/// chunk API, one chunk of each under its own lock at a time, compared a
/// chunk at once (memcmp) and a word at once inside a differing chunk.
namespace CompareEngine {

/// What a comparison counted; the extra bytes of the longer file are not differences.
struct Counts {
    qint64 size1 = 0;
    qint64 size2 = 0;
    qint64 differences = 0;

    qint64 common() const { return std::min(size1, size2); }
    qint64 extra() const { return std::max(size1, size2) - common(); }
};

/// Consecutive offsets first..last: differing bytes below the common length,
/// or (extra) the bytes by which the longer file exceeds the other.
struct Run {
    ByteOffset first = 0;
    ByteOffset last = -1;
    bool extra = false;
};
using RunSink = std::function<void(const Run&)>;

/// Compares the files, handing every differing run and then the extra bytes
/// (in pieces) to sink, in offset order. The stop flag is read before every
/// piece of at most kPiece bytes; returns false when a stop ended the run.
bool compare(const ByteModel& file1, const ByteModel& file2, const StopFlag& stop, const RunSink& sink,
             Counts& counts);
constexpr qint64 kPiece = qint64(64) << 10;

/// The report shown when a comparison ends.
QString reportText(const Counts& counts);

/// The first offset from `from` up to the common length at which the files
/// differ, or kNoOffset.
ByteOffset findForward(const ByteModel& file1, const ByteModel& file2, ByteOffset from);
/// The last offset from min(from, common length - 1) down to 0 at which the
/// files differ, or kNoOffset.
ByteOffset findBackward(const ByteModel& file1, const ByteModel& file2, ByteOffset from);

}  // namespace CompareEngine
