#include "byteops/clipboardtext.h"

#include <cstring>

namespace ClipboardText {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr std::size_t kBytesPerLine = 16;
constexpr std::size_t kGapAfter = 8;     // the listing's wider gap comes before the ninth byte
constexpr qsizetype kMostCharsPerByte = 4;  // two digits and a gap of two

/// What goes before the byte at index (not the first) within the run.
const char* separatorBefore(std::size_t index)
{
    const std::size_t column = index % kBytesPerLine;
    return column == 0 ? "\n" : column == kGapAfter ? "  " : " ";
}

}  // namespace

QByteArray of(std::span<const std::uint8_t> bytes)
{
    QByteArray text(qsizetype(bytes.size()) * kMostCharsPerByte, Qt::Uninitialized);
    char* out = text.data();
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0) {
            const char* separator = separatorBefore(i);
            const std::size_t length = std::strlen(separator);
            std::memcpy(out, separator, length);
            out += length;
        }
        *out++ = kHexDigits[bytes[i] >> 4];
        *out++ = kHexDigits[bytes[i] & 0xF];
    }
    text.truncate(out - text.constData());
    return text;
}

}  // namespace ClipboardText
