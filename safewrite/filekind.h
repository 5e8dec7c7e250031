#pragma once

#include <QString>

/// Files that can be read or written as a whole: regular files and disks.
/// Everything else is a stream or a device whose open or read may wait for
/// ever (a FIFO without a writer) or never end (/dev/zero).
namespace FileKind {

/// Why a file of this type (st_mode) cannot be opened or saved, in the words
/// of a system error description; empty for regular files and block devices.
QString refusal(unsigned mode);

}  // namespace FileKind
