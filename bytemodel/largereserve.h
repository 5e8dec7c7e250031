#pragma once

#include <cstddef>

#include "bytemodel/bytebuffer.h"

/// Reserves room for a large buffer, backed by huge pages where the system
/// offers them. Throws std::bad_alloc when the memory cannot be had.
void reserveLarge(ByteBuffer& buffer, std::size_t capacity);
