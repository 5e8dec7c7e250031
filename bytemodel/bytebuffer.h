#pragma once

#include <QtGlobal>

#include <cstdint>
#include <vector>

/// The bytes of one file or pane, in order.
using ByteBuffer = std::vector<std::uint8_t>;
/// A byte offset in a ByteBuffer; -1 means none.
using ByteOffset = qint64;
constexpr ByteOffset kNoOffset = -1;
