#pragma once

#include "bytemodel/bytebuffer.h"
#include "byteops/bytetransform.h"
#include "byteops/edithistory.h"
#include "byteops/editresult.h"

class ByteModel;

/// The byte work of the Edit menu's commands, each one edit of the history's
/// model, recorded for undo. Blocks are given as the dialogs give them, start
/// and end in either order, both included: the work runs from the lower to
/// the higher address. selection is what the command selects afterwards.
/// Those that may not be undoable take mayLoseUndo, asked before an edit
/// whose undo cannot be kept: declined, nothing changes and done is false.
namespace ByteEdits {

/// The block from the lower address to the higher, both included.
EditRange blockOf(ByteOffset start, ByteOffset end);
/// Delete Bytes, and Cut Bytes after copying: the bytes after the block move down.
EditResult removeBlock(EditHistory& history, ByteOffset start, ByteOffset end,
                       const EditHistory::UndoLossCheck& mayLoseUndo = {});
/// Insert Bytes: count copies of value before the byte at offset (offset may be the size).
EditResult insertFill(EditHistory& history, ByteOffset offset, qint64 count, std::uint8_t value);
/// Paste Bytes: the run before the byte at offset.
EditResult insertRun(EditHistory& history, ByteOffset offset, ByteBuffer run,
                     const EditHistory::UndoLossCheck& mayLoseUndo = {});
/// Replace Bytes: every oldValue in the block becomes newValue.
EditResult replaceValue(EditHistory& history, ByteOffset start, ByteOffset end, std::uint8_t oldValue,
                        std::uint8_t newValue, const EditHistory::UndoLossCheck& mayLoseUndo = {});
/// Reverse Seq: the byte at the higher address comes first.
EditResult reverseBlock(EditHistory& history, ByteOffset start, ByteOffset end);
/// Any transform of the block in place (the bitwise operations use this).
EditResult transformBlock(EditHistory& history, ByteOffset start, ByteOffset end, ByteTransform transform,
                          const EditHistory::UndoLossCheck& mayLoseUndo = {});
/// A byte changed by typing.
EditResult setByte(EditHistory& history, ByteOffset offset, std::uint8_t value);

}  // namespace ByteEdits
