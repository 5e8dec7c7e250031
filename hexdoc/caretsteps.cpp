#include "hexdoc/caretsteps.h"

namespace CaretSteps {

namespace {
constexpr int kFirstDigit = 9;       // first digit of byte 0
constexpr int kLastDigit = 56;       // second digit of byte 15
constexpr int kGapColumn = 32;       // the space after byte 7, before the double space
constexpr int kAfterGapColumn = 34;  // first digit of byte 8
constexpr int kAfterDigits = 57;     // the first column after the digits
}  // namespace

std::optional<TextPos> forward(const HexLayout& layout, TextPos end, const EndPosition& endPosition)
{
    const LinePos pos = layout.SplitPosition(end);
    if (pos.line < 0)
        return layout.initialCaret();
    if (endPosition.isPast(pos))
        return std::nullopt;
    if (pos.column < kFirstDigit)
        return layout.JoinPosition(pos.line, kFirstDigit);
    if (pos.column == kGapColumn)
        return layout.JoinPosition(pos.line, kAfterGapColumn);
    if (pos.column < kAfterDigits)
        return end + 1;
    return layout.JoinPosition(pos.line + 1, kFirstDigit);
}

std::optional<TextPos> backward(const HexLayout& layout, TextPos end, const EndPosition& endPosition)
{
    const LinePos pos = layout.SplitPosition(end);
    if (pos.line < 0)
        return layout.initialCaret();
    if (endPosition.isPast(pos)) {
        // After a full last line the end position is the next line's start;
        // the last byte is then the previous line's byte 15.
        if (endPosition.secondDigitColumn == HexGeometry::kNoColumn && endPosition.line > 0)
            return layout.JoinPosition(endPosition.line - 1, kLastDigit);
        return layout.JoinPosition(endPosition.line, endPosition.secondDigitColumn);
    }
    if (pos.column <= kFirstDigit) {
        if (pos.line == 0)
            return std::nullopt;
        return layout.JoinPosition(pos.line - 1, kLastDigit);
    }
    if (pos.column == kAfterGapColumn)
        return layout.JoinPosition(pos.line, kAfterGapColumn - 3);
    if (pos.column < kAfterDigits)
        return end - 1;
    return layout.JoinPosition(pos.line, kLastDigit);
}

}  // namespace CaretSteps
