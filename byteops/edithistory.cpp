#include "byteops/edithistory.h"

#include "byteops/editmessages.h"

EditHistory::EditHistory(ByteModel& model, qint64 memoryLimit)
    : m_model(model)
    , m_memoryLimit(memoryLimit)
{
}

EditStep::Outcome EditHistory::perform(EditStep step, const UndoLossCheck& mayLoseUndo)
{
    if (mayLoseUndo && !step.fitsUndo(m_model, m_memoryLimit) && !mayLoseUndo(step))
        return EditStep::Outcome::Cancelled;
    const EditStep::Outcome outcome = step.apply(m_model, m_memoryLimit);
    if (outcome != EditStep::Outcome::Done)
        return outcome;
    // The steps that could be redone describe bytes that no longer exist.
    if (m_savedAt > position())
        m_savedAt = kNever;
    while (canRedo()) {
        m_memoryUse -= m_steps.back().cost();
        m_steps.pop_back();
    }
    const bool undoable = step.canUndo();
    m_memoryUse += step.cost();
    m_steps.push_back(std::move(step));
    ++m_done;
    while (!m_steps.empty() && (!undoable || m_memoryUse > m_memoryLimit))
        dropOldest();
    return outcome;
}

void EditHistory::dropOldest()
{
    m_memoryUse -= m_steps.front().cost();
    m_steps.pop_front();
    --m_done;
    ++m_dropped;
}

EditResult EditHistory::undo()
{
    if (!canUndo())
        return {};
    const EditStep& step = m_steps[std::size_t(m_done - 1)];
    const EditStep::Outcome outcome = step.undo(m_model);
    if (outcome != EditStep::Outcome::Done)
        return {false, {}, EditMessages::refusal(EditMessages::Action::Undo, step.count(), outcome)};
    --m_done;
    return {true, step.selectionAfterUndo(), {}};
}

EditResult EditHistory::redo()
{
    if (!canRedo())
        return {};
    const EditStep& step = m_steps[std::size_t(m_done)];
    const EditStep::Outcome outcome = step.redo(m_model);
    if (outcome != EditStep::Outcome::Done)
        return {false, {}, EditMessages::refusal(EditMessages::Action::Redo, step.count(), outcome)};
    ++m_done;
    return {true, step.selectionAfterRedo(), {}};
}

void EditHistory::clear()
{
    m_steps.clear();
    m_dropped += m_done;
    m_done = 0;
    m_memoryUse = 0;
    m_savedAt = kNever;
}
