#pragma once

#include <QByteArray>

#include <span>

#include "bytemodel/bytebuffer.h"

/// The plain text put on the clipboard beside the private entry, so that
/// copied bytes paste into a terminal, a source file or a bug report: the
/// bytes as the listing writes them, two upper-case hexadecimal digits each,
/// sixteen to a line with the listing's wider gap after the eighth.
namespace ClipboardText {

/// The most bytes copied as text too: a larger copy would no longer be quick.
inline constexpr qint64 kMaxBytes = qint64(16) << 20;

inline bool fits(qint64 count)
{
    return count <= kMaxBytes;
}

/// The lines, separated by "\n", with no line break after the last, so that
/// pasting into a terminal runs nothing.
QByteArray of(std::span<const std::uint8_t> bytes);

}  // namespace ClipboardText
