#pragma once

#include <deque>
#include <functional>

#include "byteops/editresult.h"
#include "byteops/editstep.h"

class ByteModel;

/// The undo and redo history of one byte buffer. Every edit goes through
/// perform(), which makes it on the model and records it; undo() and redo()
/// replay the recorded steps through the model's edit API. The steps are
/// kept within a memory limit: the oldest go first, and a step that cannot
/// be undone (its bytes would not fit) ends the history before it; the
/// caller may ask the user before such a step.
///
/// Anything that replaces the buffer outside the history (loading, appending
/// received bytes) must clear() it, since the recorded offsets would no
/// longer hold.
class EditHistory {
public:
    static constexpr qint64 kDefaultMemoryLimit = qint64(512) << 20;

    explicit EditHistory(ByteModel& model, qint64 memoryLimit = kDefaultMemoryLimit);

    ByteModel& model() const { return m_model; }

    /// Asked before an edit whose undo cannot be kept; false cancels the edit.
    using UndoLossCheck = std::function<bool(const EditStep& step)>;

    /// Makes the edit and records it; on anything but Done the model and the
    /// history are left as they were. When the step's undo cannot be kept,
    /// mayLoseUndo (if given) is asked first.
    EditStep::Outcome perform(EditStep step, const UndoLossCheck& mayLoseUndo = {});

    bool canUndo() const { return m_done > 0; }
    bool canRedo() const { return m_done < qint64(m_steps.size()); }
    /// Undoes the last step; done is false when there was none or the model
    /// could not take the bytes back (refusal then says why).
    EditResult undo();
    EditResult redo();

    /// True while the bytes are those of the last markSaved(): undoing or
    /// redoing back to that point makes the buffer unmodified again.
    bool isAtSavedState() const { return m_savedAt == position(); }
    void markSaved() { m_savedAt = position(); }
    /// Forgets every step, and the saved state with them.
    void clear();

    qint64 memoryUse() const { return m_memoryUse; }
    qint64 memoryLimit() const { return m_memoryLimit; }

private:
    /// Steps from the first ever recorded to the current state, so that the
    /// saved state stays comparable after old steps were dropped.
    qint64 position() const { return m_dropped + m_done; }
    void dropOldest();

    static constexpr qint64 kNever = -1;

    ByteModel& m_model;
    qint64 m_memoryLimit;
    std::deque<EditStep> m_steps;
    qint64 m_done = 0;     // steps applied, counted from the front of m_steps
    qint64 m_dropped = 0;  // steps dropped from the front
    qint64 m_savedAt = 0;
    qint64 m_memoryUse = 0;
};
