#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <span>

#include "bytemodel/bytebuffer.h"

/// The global byte buffer's clipboard entry: a little-endian count (16 bits,
/// or 0xFFFF followed by 32 bits from 0xFFFF bytes on), then the bytes.
namespace ByteRunFormat {

/// The format's registered name; its version lives only here.
inline constexpr char kName[] = "Varn Hex Clipboard Format V2.00";

/// The private MIME type made from the name: "application/x-varn-hex-clipboard-format-v2.00".
QString mimeType();

QByteArray encode(std::span<const std::uint8_t> bytes);

/// The bytes of an entry. A block too short for its header or for the count it
/// declares gives an empty run; bytes after the count are ignored.
ByteBuffer decode(QByteArrayView block);

}  // namespace ByteRunFormat
