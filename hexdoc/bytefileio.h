#pragma once

#include <QString>

#include <cstddef>

#include "bytemodel/bytemodel.h"

/// Reading and writing files as raw bytes, with no header and no conversion.
namespace ByteFileIo {

/// Listings show 8-digit addresses: a file must be smaller than 4 GiB.
constexpr qint64 kMaxFileSize = qint64(1) << 32;

enum class ReadResult { Ok, TooLarge, Failed };

/// Reads a whole file (regular files and devices alike) into out.
/// On failure out is left as it was and reason holds the system's description.
ReadResult readFile(const QString& path, ByteBuffer& out, QString& reason);

/// Writes the bytes so that a failure leaves the old file as it was (SafeFileWriter).
bool writeFile(const QString& path, const ByteModel& bytes, QString& reason);

}  // namespace ByteFileIo
