#include "byteops/bytetyping.h"

#include <QScopedValueRollback>

#include "bytemodel/bytemodel.h"
#include "byteops/byteedits.h"
#include "byteops/edithistory.h"

bool ByteTyping::store(EditHistory& history, ByteOffset offset, int digit, std::uint8_t value)
{
    const bool amendsFirstDigit = digit == 1 && m_firstDigitAt == offset && history.canUndo();
    m_firstDigitAt.reset();
    if (history.model().byteAt(offset) == value)
        return false;
    const QScopedValueRollback storing(m_storing, true);
    if (amendsFirstDigit)
        history.undo();
    ByteEdits::setByte(history, offset, value);
    if (digit == 0)
        m_firstDigitAt = offset;
    return true;
}

void ByteTyping::bytesChanged()
{
    if (!m_storing)
        m_firstDigitAt.reset();
}
