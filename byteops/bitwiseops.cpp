#include "byteops/bitwiseops.h"

#include "byteops/byteedits.h"

namespace BitwiseOps {

EditResult shift(EditHistory& history, ByteOffset start, ByteOffset end, ShiftChoice choice,
                 const EditHistory::UndoLossCheck& mayLoseUndo)
{
    const ByteTransform transform = choice.direction == ShiftChoice::Direction::Left
                                        ? ByteTransform::shiftLeft(choice.count)
                                        : ByteTransform::shiftRight(choice.count);
    return ByteEdits::transformBlock(history, start, end, transform, mayLoseUndo);
}

EditResult mask(EditHistory& history, ByteOffset start, ByteOffset end, MaskChoice choice,
                const EditHistory::UndoLossCheck& mayLoseUndo)
{
    using Make = ByteTransform (*)(std::uint8_t);
    static constexpr Make kMasks[] = {ByteTransform::andMask, ByteTransform::orMask, ByteTransform::xorMask};
    return ByteEdits::transformBlock(history, start, end, kMasks[std::size_t(choice.type)](choice.value),
                                     mayLoseUndo);
}

EditResult onesComplement(EditHistory& history, ByteOffset start, ByteOffset end)
{
    return ByteEdits::transformBlock(history, start, end, ByteTransform::onesComplement());
}

EditResult twosComplement(EditHistory& history, ByteOffset start, ByteOffset end)
{
    return ByteEdits::transformBlock(history, start, end, ByteTransform::twosComplement());
}

}  // namespace BitwiseOps
