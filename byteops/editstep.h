#pragma once

#include <memory>

#include "bytemodel/bytebuffer.h"
#include "bytemodel/keptbytes.h"
#include "byteops/bytetransform.h"
#include "byteops/editrange.h"

class ByteModel;

/// One edit of a ByteModel together with what it takes to undo and redo it,
/// kept as cheaply as is correct: a removal, and a block transform that
/// running again does not undo, keep the pieces that held the bytes they
/// remove or change (a copy only where the storage has no pieces), an
/// insertion its bytes (a fill only its count and value), an overwrite the
/// old and new bytes; a transform that is its own inverse keeps nothing.
class EditStep {
public:
    enum class Outcome {
        Done,
        TooLarge,  // the buffer would pass its largest size
        NoMemory,
        Lost,  // the bytes to put back were in a file a save has written over
        Cancelled,  // the user chose not to make an edit that could not be undone
    };

    static EditStep removal(ByteOffset offset, qint64 count);
    static EditStep insertion(ByteOffset offset, ByteBuffer bytes);
    static EditStep fill(ByteOffset offset, qint64 count, std::uint8_t value);
    static EditStep overwrite(ByteOffset offset, ByteBuffer bytes);
    static EditStep transform(ByteOffset offset, qint64 count, ByteTransform transform);

    /// Makes the edit for the first time, keeping what undo needs unless that
    /// would cost more than undoLimit bytes (the step then cannot be undone).
    /// Anything but Done leaves the model as it was.
    Outcome apply(ByteModel& model, qint64 undoLimit);
    Outcome undo(ByteModel& model) const;
    Outcome redo(ByteModel& model) const;

    /// Whether apply() will be able to keep what undo needs within undoLimit
    /// bytes, told before the edit is made.
    bool fitsUndo(const ByteModel& model, qint64 undoLimit) const;
    bool canUndo() const { return m_canUndo; }
    /// How many bytes the step changes, removes or inserts.
    qint64 count() const { return m_count; }
    /// Bytes of memory the step holds.
    qint64 cost() const;
    EditRange selectionAfterUndo() const;
    EditRange selectionAfterRedo() const;

private:
    enum class Kind { Removal, Insertion, Fill, Overwrite, Transform };

    EditStep(Kind kind, ByteOffset offset, qint64 count);
    /// Keeps a copy of the bytes the edit replaces, when it may.
    void keepOldBytes(const ByteModel& model, qint64 undoLimit);
    /// Keeps the pieces that hold the bytes the edit removes or changes, when their memory fits.
    void keepModelBytes(const ByteModel& model, qint64 undoLimit);

    Kind m_kind;
    ByteOffset m_offset;
    qint64 m_count;
    ByteBuffer m_bytes;     // inserted or new bytes
    ByteBuffer m_oldBytes;  // overwritten bytes
    std::shared_ptr<const KeptBytes> m_kept;  // removed or transformed bytes, as the model keeps them
    ByteTransform m_transform = ByteTransform::reverse();
    std::uint8_t m_fillValue = 0;
    bool m_canUndo = true;
};
