#pragma once

#include <QString>

#include <cstddef>

#include "bytemodel/bytemodel.h"

/// Reading and writing files as raw bytes, with no header and no conversion.
namespace ByteFileIo {

/// Listings show 8-digit addresses: a file must be smaller than 4 GiB.
constexpr qint64 kMaxFileSize = qint64(1) << 32;

enum class ReadResult { Ok, TooLarge, OutOfMemory, Failed };

/// Opens a regular file or a disk for reading without ever blocking; FIFOs,
/// sockets and character devices are refused before they are opened. On Ok,
/// fd is the descriptor (the caller closes it) and size the length the system
/// gives (a disk's from the kernel); otherwise reason holds the description.
ReadResult openForReading(const QString& path, int& fd, qint64& size, QString& reason);

/// Reads a whole file or disk into out, stopping at the size limit.
/// On failure out is left as it was and reason holds the system's description.
ReadResult readFile(const QString& path, ByteBuffer& out, QString& reason);

/// Files from this size on are read lazily (FileBacking); smaller ones, and
/// files whose size the system does not tell (/proc, /sys), are read whole.
constexpr qint64 kLazyReadSize = qint64(1) << 20;

/// Puts a file or disk into bytes: a large file or any disk opened to be read
/// when its bytes are asked for, a small one read whole. On failure bytes is
/// left as it was and reason holds the system's description.
ReadResult loadFile(const QString& path, ByteModel& bytes, QString& reason);

/// Writes the bytes so that a failure leaves the old file as it was
/// (SafeFileWriter), streaming them stretch by stretch. A write over the file
/// the bytes are read from runs in the order PieceWriter gives; should it fail
/// half-way, reason names the recovery file that holds the new content, which
/// the model then reads. After a save, bytes read from a file are read from
/// the file written.
bool writeFile(const QString& path, ByteModel& bytes, QString& reason);

}  // namespace ByteFileIo
