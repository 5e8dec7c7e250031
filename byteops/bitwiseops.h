#pragma once

#include "byteops/editresult.h"
#include "byteops/maskchoice.h"
#include "byteops/shiftchoice.h"

class EditHistory;

/// The Operations menu's work: one bitwise operation on each byte of a block
/// (start and end in either order, both included), in place, recorded for
/// undo; selection is the block.
namespace BitwiseOps {

EditResult shift(EditHistory& history, ByteOffset start, ByteOffset end, ShiftChoice choice);
EditResult mask(EditHistory& history, ByteOffset start, ByteOffset end, MaskChoice choice);
EditResult onesComplement(EditHistory& history, ByteOffset start, ByteOffset end);
EditResult twosComplement(EditHistory& history, ByteOffset start, ByteOffset end);

}  // namespace BitwiseOps
