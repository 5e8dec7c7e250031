#include "hexdoc/hexlayout.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

using namespace HexGeometry;

// The column tables below cover columns -1 (the opening line break) to 75,
// one entry per position of a data line; index = column + 1.
constexpr int kTableSize = kLineWidth;
constexpr int kLastCellColumn = 57;  // the space after the cell of byte 15

// Byte index 0..15 of the cell a column belongs to (the cell and the space after it), or -1.
constexpr std::array<std::int8_t, kTableSize> kByteIndexOfColumn = {
    -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,          // -1 to 8
    0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3,              // 9 to 20
    4, 4, 4, 5, 5, 5, 6, 6, 6, 7, 7, 7,              // 21 to 32
    -1, 8, 8, 8, 9, 9, 9, 10, 10, 10, 11, 11, 11,    // 33 to 45
    12, 12, 12, 13, 13, 13, 14, 14, 14, 15, 15, 15,  // 46 to 57
    -1, -1, -1, -1, -1, -1, -1, -1, -1,              // 58 to 66
    -1, -1, -1, -1, -1, -1, -1, -1, -1,              // 67 to 75
};

// 0 on a first digit, 1 on a second digit, -1 elsewhere.
constexpr std::array<std::int8_t, kTableSize> kDigitOfColumn = {
    -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,        // -1 to 8
    0, 1, -1, 0, 1, -1, 0, 1, -1, 0, 1, -1,        // 9 to 20
    0, 1, -1, 0, 1, -1, 0, 1, -1, 0, 1, -1,        // 21 to 32
    -1, 0, 1, -1, 0, 1, -1, 0, 1, -1, 0, 1, -1,    // 33 to 45
    0, 1, -1, 0, 1, -1, 0, 1, -1, 0, 1, -1,        // 46 to 57
    -1, -1, -1, -1, -1, -1, -1, -1, -1,            // 58 to 66
    -1, -1, -1, -1, -1, -1, -1, -1, -1,            // 67 to 75
};

/// Where a selection edge on a column moves to: a line step and a column.
struct SnapTarget {
    std::int8_t lineStep;
    std::int8_t column;
};

// A selection start moves forward to the next first digit (a digit stays).
constexpr std::array<SnapTarget, kTableSize> kStartSnap = {{
    {0, 9}, {0, 9}, {0, 9}, {0, 9}, {0, 9}, {0, 9}, {0, 9}, {0, 9}, {0, 9}, {0, 9},  // -1 to 8
    {0, 9}, {0, 10}, {0, 12},  // 9 to 11
    {0, 12}, {0, 13}, {0, 15},  // 12 to 14
    {0, 15}, {0, 16}, {0, 18},  // 15 to 17
    {0, 18}, {0, 19}, {0, 21},  // 18 to 20
    {0, 21}, {0, 22}, {0, 24},  // 21 to 23
    {0, 24}, {0, 25}, {0, 27},  // 24 to 26
    {0, 27}, {0, 28}, {0, 30},  // 27 to 29
    {0, 30}, {0, 31}, {0, 34},  // 30 to 32
    {0, 34},  // 33
    {0, 34}, {0, 35}, {0, 37},  // 34 to 36
    {0, 37}, {0, 38}, {0, 40},  // 37 to 39
    {0, 40}, {0, 41}, {0, 43},  // 40 to 42
    {0, 43}, {0, 44}, {0, 46},  // 43 to 45
    {0, 46}, {0, 47}, {0, 49},  // 46 to 48
    {0, 49}, {0, 50}, {0, 52},  // 49 to 51
    {0, 52}, {0, 53}, {0, 55},  // 52 to 54
    {0, 55}, {0, 56}, {1, 9},  // 55 to 57
    {1, 9}, {1, 9}, {1, 9}, {1, 9}, {1, 9}, {1, 9}, {1, 9}, {1, 9}, {1, 9},  // 58 to 66
    {1, 9}, {1, 9}, {1, 9}, {1, 9}, {1, 9}, {1, 9}, {1, 9}, {1, 9}, {1, 9},  // 67 to 75
}};

// A selection end (exclusive) moves back to the second digit of the last cell it reaches into.
constexpr std::array<SnapTarget, kTableSize> kEndSnap = {{
    {-1, 56}, {-1, 56}, {-1, 56}, {-1, 56}, {-1, 56}, {-1, 56}, {-1, 56}, {-1, 56}, {-1, 56}, {-1, 56},  // -1 to 8
    {-1, 56}, {0, 10}, {0, 10},  // 9 to 11
    {0, 10}, {0, 13}, {0, 13},  // 12 to 14
    {0, 13}, {0, 16}, {0, 16},  // 15 to 17
    {0, 16}, {0, 19}, {0, 19},  // 18 to 20
    {0, 19}, {0, 22}, {0, 22},  // 21 to 23
    {0, 22}, {0, 25}, {0, 25},  // 24 to 26
    {0, 25}, {0, 28}, {0, 28},  // 27 to 29
    {0, 28}, {0, 31}, {0, 31},  // 30 to 32
    {0, 31},  // 33
    {0, 31}, {0, 35}, {0, 35},  // 34 to 36
    {0, 35}, {0, 38}, {0, 38},  // 37 to 39
    {0, 38}, {0, 41}, {0, 41},  // 40 to 42
    {0, 41}, {0, 44}, {0, 44},  // 43 to 45
    {0, 44}, {0, 47}, {0, 47},  // 46 to 48
    {0, 47}, {0, 50}, {0, 50},  // 49 to 51
    {0, 50}, {0, 53}, {0, 53},  // 52 to 54
    {0, 53}, {0, 56}, {0, 56},  // 55 to 57
    {0, 56}, {0, 56}, {0, 56}, {0, 56}, {0, 56}, {0, 56}, {0, 56}, {0, 56}, {0, 56},  // 58 to 66
    {0, 56}, {0, 56}, {0, 56}, {0, 56}, {0, 56}, {0, 56}, {0, 56}, {0, 56}, {0, 56},  // 67 to 75
}};

constexpr std::size_t tableIndex(int column)
{
    return std::size_t(column + 1);
}

constexpr bool inTable(int column)
{
    return column >= kNoColumn && column < kTableSize - 1;
}

TextRange ordered(TextRange range)
{
    return {std::min(range.start, range.end), std::max(range.start, range.end)};
}

}  // namespace

namespace HexGeometry {

int firstDigitColumn(int byteIndex)
{
    return kFirstDigitColumns[std::size_t(byteIndex)];
}

char charCellOf(std::uint8_t byte)
{
    return byte >= 0x20 && byte <= 0x7E ? char(byte) : '.';
}

}  // namespace HexGeometry

EndPosition EndPosition::of(qint64 byteCount)
{
    const int endIndex = int(byteCount % kBytesPerLine) - 1;
    if (endIndex < 0)
        return {byteCount / kBytesPerLine, kNoColumn, kNoColumn};
    const int first = HexGeometry::firstDigitColumn(endIndex);
    return {byteCount / kBytesPerLine, first, first + 1};
}

bool EndPosition::isPast(LinePos pos) const
{
    // Lines after the end line hold no bytes at all, whatever the column.
    return pos.line > line || (pos.line == line && pos.column > secondDigitColumn);
}

HexLayout::HexLayout(TextPos prefixLength)
    : m_prefixLength(prefixLength)
{
}

LinePos HexLayout::SplitPosition(TextPos pos) const
{
    if (pos < base())
        return {};
    const TextPos fromBreak = pos - m_prefixLength;
    return {fromBreak / kLineWidth, int(fromBreak % kLineWidth) - 1};
}

TextPos HexLayout::JoinPosition(qint64 line, int column) const
{
    return base() + kLineWidth * line + column;
}

int HexLayout::ByteIndexOfColumn(int column)
{
    return inTable(column) ? kByteIndexOfColumn[tableIndex(column)] : -1;
}

int HexLayout::DigitOfPosition(LinePos pos, const EndPosition& end)
{
    if (pos.line < 0 || !inTable(pos.column) || end.isPast(pos))
        return -1;
    return kDigitOfColumn[tableIndex(pos.column)];
}

ByteOffset HexLayout::OffsetOfPosition(TextPos pos) const
{
    const LinePos split = SplitPosition(pos);
    if (split.line < 0)
        return kNoOffset;
    return kBytesPerLine * split.line + ByteIndexOfColumn(split.column);
}

HexPositions HexLayout::HexPositionOfOffset(ByteOffset offset) const
{
    if (offset < 0)
        return {};
    const TextPos first =
        JoinPosition(offset / kBytesPerLine, firstDigitColumn(int(offset % kBytesPerLine)));
    return {first, first + 1};
}

TextPos HexLayout::CharPositionOfHexPosition(TextPos hexPos) const
{
    const LinePos split = SplitPosition(hexPos);
    const int byteIndex = ByteIndexOfColumn(split.column);
    if (split.line < 0 || byteIndex < 0)
        return kNoPos;
    return JoinPosition(split.line, kFirstCharColumn + byteIndex);
}

ByteRange HexLayout::SelectionToByteRange(TextRange selection, const EndPosition& end) const
{
    const auto [start, stop] = ordered(selection);
    if (stop <= base())
        return {};
    const LinePos from = SplitPosition(start);
    LinePos to = SplitPosition(stop);
    if (from.line == to.line
        && (to.column < 9 || from.column > kLastCellColumn
            || (from.line == end.line && from.column > end.secondDigitColumn + 1)))
        return {};
    // From the character cells of one line to the line number of the next.
    if (to.line == from.line + 1 && from.column > kLastCellColumn && to.column <= 9)
        return {};
    if (from == to) {
        const int byteIndex = ByteIndexOfColumn(from.column);
        if (byteIndex < 0)
            return {};
        const ByteOffset offset = kBytesPerLine * from.line + byteIndex;
        return {offset, offset};
    }
    if (to.line == end.line && to.column > end.secondDigitColumn)
        to.column = end.secondDigitColumn + 1;
    const ByteOffset first = OffsetOfPosition(snapStart(from));
    const ByteOffset last = OffsetOfPosition(snapEnd(to));
    // No digit inside the selection: it ends at byte 0's first digit, or lies
    // between two cells, so the snapped end falls before the snapped start.
    if (last == kNoOffset || (first != kNoOffset && first > last))
        return {};
    return {first, last};
}

TextRange HexLayout::SelectionToTextRange(TextRange selection) const
{
    const auto [start, stop] = ordered(selection);
    return {snapStart(SplitPosition(start)), snapEnd(SplitPosition(stop))};
}

ByteOffset HexLayout::InsertionOffsetOfCaret(TextRange selection) const
{
    const LinePos caret = SplitPosition(ordered(selection).start);
    if (caret.line < 0 || caret.column < 9 || caret.column > kLastCellColumn)
        return kNoOffset;
    const SnapTarget target = kStartSnap[tableIndex(caret.column)];
    return kBytesPerLine * (caret.line + target.lineStep) + ByteIndexOfColumn(target.column);
}

TextPos HexLayout::snapStart(LinePos pos) const
{
    const SnapTarget target = kStartSnap[tableIndex(pos.column)];
    return JoinPosition(pos.line + target.lineStep, target.column);
}

TextPos HexLayout::snapEnd(LinePos pos) const
{
    const SnapTarget target = kEndSnap[tableIndex(pos.column)];
    return JoinPosition(pos.line + target.lineStep, target.column);
}
