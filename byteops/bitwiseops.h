#pragma once

#include "byteops/edithistory.h"
#include "byteops/editresult.h"
#include "byteops/maskchoice.h"
#include "byteops/shiftchoice.h"

/// The Operations menu's work: one bitwise operation on each byte of a block
/// (start and end in either order, both included), in place, recorded for
/// undo; selection is the block. Shift and the AND and OR masks may not be
/// undoable: mayLoseUndo is asked first, as ByteEdits asks it.
namespace BitwiseOps {

EditResult shift(EditHistory& history, ByteOffset start, ByteOffset end, ShiftChoice choice,
                 const EditHistory::UndoLossCheck& mayLoseUndo = {});
EditResult mask(EditHistory& history, ByteOffset start, ByteOffset end, MaskChoice choice,
                const EditHistory::UndoLossCheck& mayLoseUndo = {});
EditResult onesComplement(EditHistory& history, ByteOffset start, ByteOffset end);
EditResult twosComplement(EditHistory& history, ByteOffset start, ByteOffset end);

}  // namespace BitwiseOps
