#include "byteops/byteedits.h"

#include <algorithm>

#include "bytemodel/bytemodel.h"
#include "byteops/editmessages.h"

namespace ByteEdits {

namespace {

EditResult insert(EditHistory& history, EditStep step, EditMessages::Action action,
                  const EditHistory::UndoLossCheck& mayLoseUndo = {})
{
    const qint64 count = step.count();
    const EditRange selection = step.selectionAfterRedo();
    const EditStep::Outcome outcome = history.perform(std::move(step), mayLoseUndo);
    if (outcome != EditStep::Outcome::Done)
        return {false, {}, EditMessages::refusal(action, count, outcome)};
    return {true, selection, {}};
}

}  // namespace

EditRange blockOf(ByteOffset start, ByteOffset end)
{
    const ByteOffset lo = std::min(start, end);
    return {lo, std::max(start, end) - lo + 1};
}

EditResult removeBlock(EditHistory& history, ByteOffset start, ByteOffset end,
                       const EditHistory::UndoLossCheck& mayLoseUndo)
{
    const EditRange block = blockOf(start, end);
    const EditStep::Outcome outcome = history.perform(EditStep::removal(block.offset, block.count), mayLoseUndo);
    return {outcome == EditStep::Outcome::Done, {block.offset, 0}, {}};
}

EditResult insertFill(EditHistory& history, ByteOffset offset, qint64 count, std::uint8_t value)
{
    return insert(history, EditStep::fill(offset, count, value), EditMessages::Action::Insert);
}

EditResult insertRun(EditHistory& history, ByteOffset offset, ByteBuffer run,
                     const EditHistory::UndoLossCheck& mayLoseUndo)
{
    return insert(history, EditStep::insertion(offset, std::move(run)), EditMessages::Action::Paste, mayLoseUndo);
}

EditResult replaceValue(EditHistory& history, ByteOffset start, ByteOffset end, std::uint8_t oldValue,
                        std::uint8_t newValue, const EditHistory::UndoLossCheck& mayLoseUndo)
{
    return transformBlock(history, start, end, ByteTransform::replace(oldValue, newValue), mayLoseUndo);
}

EditResult reverseBlock(EditHistory& history, ByteOffset start, ByteOffset end)
{
    return transformBlock(history, start, end, ByteTransform::reverse());
}

EditResult transformBlock(EditHistory& history, ByteOffset start, ByteOffset end, ByteTransform transform,
                          const EditHistory::UndoLossCheck& mayLoseUndo)
{
    const EditRange block = blockOf(start, end);
    const EditStep::Outcome outcome = history.perform(EditStep::transform(block.offset, block.count, transform), mayLoseUndo);
    return {outcome == EditStep::Outcome::Done, block, {}};
}

EditResult setByte(EditHistory& history, ByteOffset offset, std::uint8_t value)
{
    history.perform(EditStep::overwrite(offset, ByteBuffer{value}));
    return {true, {offset, 1}, {}};
}

}  // namespace ByteEdits
