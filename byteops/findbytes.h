#pragma once

#include <span>

#include "bytemodel/bytebuffer.h"

class ByteModel;

/// The offset of the first occurrence of pattern at or after start, searching
/// forward without wrapping; kNoOffset when there is none, when the pattern is
/// empty, or when start leaves no room for it. The model is read in chunks of
/// chunkSize bytes; an occurrence across two chunks is found. Chunks of 64 KiB
/// are read straight from a file into a buffer that stays in the processor's
/// cache for the search that follows.
ByteOffset FindBytes(const ByteModel& model, std::span<const std::uint8_t> pattern, ByteOffset start,
                     qint64 chunkSize = qint64(64) << 10);
