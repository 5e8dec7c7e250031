#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>
#include <optional>
#include <span>

#include "bytemodel/bytebuffer.h"

/// The global byte buffer's clipboard entry: a little-endian count (16 bits,
/// or 0xFFFF followed by 32 bits from 0xFFFF bytes on), then the bytes.
/// Entries are made and read with one whole copy of the bytes, so a run
/// needs no more memory than the entry itself; a run that memory cannot
/// hold gives no entry (or no bytes) rather than ending the program.
namespace ByteRunFormat {

/// The format's registered name; its version lives only here.
inline constexpr char kName[] = "Varn Hex Clipboard Format V2.00";

/// The private MIME type made from the name: "application/x-varn-hex-clipboard-format-v2.00".
QString mimeType();

/// An entry for count bytes, which fill writes into the place it is given;
/// nullopt when memory cannot hold it.
std::optional<QByteArray> encode(qint64 count, const std::function<void(std::span<std::uint8_t>)>& fill);
QByteArray encode(std::span<const std::uint8_t> bytes);

/// The count an entry declares; -1 for a block too short for its header or
/// for the count it declares.
qint64 declaredCount(QByteArrayView block);

/// The bytes of an entry; a block that declaredCount() refuses gives an empty
/// run, bytes after the count are ignored; nullopt when memory cannot hold them.
std::optional<ByteBuffer> decode(QByteArrayView block);

}  // namespace ByteRunFormat
