#include "hexdoc/caretstatus.h"

#include <algorithm>

#include "bytemodel/bytemodel.h"

namespace {

using namespace HexGeometry;

/// The byte of the cell or character cell the caret is on; in the line
/// number, the line's first byte.
ByteOffset caretByte(const HexLayout& layout, TextPos caret)
{
    const LinePos at = layout.SplitPosition(caret);
    if (at.line < 0)
        return kNoOffset;
    const ByteOffset insertion = layout.InsertionOffsetOfCaret({caret, caret});
    if (insertion != kNoOffset)
        return insertion;
    const ByteOffset lineStart = kBytesPerLine * at.line;
    return at.column >= kFirstCharColumn ? lineStart + (at.column - kFirstCharColumn) : lineStart;
}

QString hex(qint64 value, int digits = 0)
{
    return QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0')).toUpper();
}

}  // namespace

CaretStatus CaretStatus::of(const HexLayout& layout, TextRange selection, const EndPosition& end,
                            const ByteModel& model, bool modified)
{
    CaretStatus status;
    status.modified = modified;
    if (selection.end != selection.start)
        status.selection = layout.SelectionToByteRange(selection, end);
    status.offset = status.selection.isNone() ? caretByte(layout, selection.end) : status.selection.first;
    if (status.offset == kNoOffset)
        return status;
    status.offset = std::min(status.offset, model.size());
    if (status.offset < model.size())
        status.value = model.byteAt(status.offset);
    return status;
}

std::array<QString, CaretStatus::kPaneCount> CaretStatus::paneTexts() const
{
    std::array<QString, kPaneCount> texts;
    if (offset != kNoOffset)
        texts[OffsetPane] = QStringLiteral("Offset: %1 (%2)").arg(hex(offset)).arg(offset);
    if (!selection.isNone()) {
        const qint64 count = selection.last - selection.first + 1;
        texts[SelectionPane] = QStringLiteral("Selection: %1-%2 (%3 %4)")
                                   .arg(hex(selection.first), hex(selection.last))
                                   .arg(count)
                                   .arg(count == 1 ? QStringLiteral("byte") : QStringLiteral("bytes"));
    }
    if (value)
        texts[ValuePane] = QStringLiteral("Value: %1 (%2) '%3'")
                               .arg(hex(*value, 2))
                               .arg(int(*value))
                               .arg(QLatin1Char(charCellOf(*value)));
    if (modified)
        texts[ModifiedPane] = QStringLiteral("Modified");
    return texts;
}
