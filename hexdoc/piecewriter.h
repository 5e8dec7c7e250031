#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <span>

#include "hexdoc/recoveryfile.h"

class ByteModel;
class FileBacking;

/// Saving a document over the very file its bytes are read from (a file
/// with hard links, one in a folder that takes no new file, a disk).
namespace PieceWriter {

/// Writes bytes at an offset of the file being saved; false on failure.
using WriteAt = std::function<bool(qint64 offset, std::span<const std::uint8_t> bytes)>;

/// Writes the model's bytes over file, which the model reads from, in an
/// order that reads every byte before it is overwritten; stretches that keep
/// their place are not written. When bytes must move, a recovery file with
/// the complete new content is written first (recovery), so that a failure
/// half-way loses nothing; without one, the save fails before any write and
/// reason says why. False when a write failed.
bool writeOver(ByteModel& bytes, const FileBacking& file, const QString& path, const WriteAt& writeAt,
               RecoveryFile& recovery, QString& reason);

}  // namespace PieceWriter
