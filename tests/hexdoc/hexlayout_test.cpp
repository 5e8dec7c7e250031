#include "hexdoc/hexlayout.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

/// A place in the listing as (line, column) of a data line; line -1 means the
/// first character of the text, in front of every data line.
struct Spot {
    qint64 line;
    int column;
};

// Prefix lengths of the plain view and of the pane views.
class HexLayoutTest : public ::testing::TestWithParam<TextPos> {
protected:
    HexLayout layout{GetParam()};
    TextPos B = GetParam() + 1;

    TextPos at(Spot spot) const { return spot.line < 0 ? 0 : layout.JoinPosition(spot.line, spot.column); }
    TextRange range(Spot from, Spot to) const { return {at(from), at(to)}; }
};

INSTANTIATE_TEST_SUITE_P(Prefixes, HexLayoutTest, ::testing::Values(77, 155));

TEST(EndPositionTest, FollowsTheByteCountAndBoundsTheBytes)
{
    const std::pair<qint64, EndPosition> ends[] = {
        {0, {0, -1, -1}}, {1, {0, 9, 10}}, {9, {0, 34, 35}}, {16, {1, -1, -1}}, {0x12346, {0x1234, 24, 25}}};
    for (const auto& [count, end] : ends)
        EXPECT_EQ(EndPosition::of(count), end) << count;
    const std::tuple<qint64, LinePos, bool> pasts[] = {
        {0, {0, -1}, false}, {0, {0, 9}, true},  {16, {0, 75}, false}, {16, {1, -1}, false},
        {16, {1, 0}, true},  {17, {1, 10}, false}, {17, {1, 11}, true},  {17, {2, 0}, true}};
    for (const auto& [count, pos, past] : pasts)
        EXPECT_EQ(EndPosition::of(count).isPast(pos), past) << count << " " << pos.column;
}

TEST(HexLayoutStatic, ByteIndexAndDigitOfEveryColumn)
{
    std::vector<int> index(76, -1);
    std::vector<int> digit(76, -1);
    for (int k = 0; k < 16; ++k) {
        const auto first = std::size_t(HexGeometry::firstDigitColumn(k));
        index[first] = index[first + 1] = index[first + 2] = k;
        digit[first] = 0;
        digit[first + 1] = 1;
    }
    for (int column = -5; column < 100; ++column) {
        const bool inLine = column >= 0 && column < 76;
        EXPECT_EQ(HexLayout::ByteIndexOfColumn(column), inLine ? index[std::size_t(column)] : -1) << column;
        if (column < 76) {
            EXPECT_EQ(HexLayout::DigitOfPosition({2, column}, EndPosition::of(1000)), inLine ? digit[std::size_t(column)] : -1);
        }
    }
    // None after the last byte.
    EXPECT_EQ(HexLayout::DigitOfPosition({0, 9}, EndPosition::of(0)), -1);
    EXPECT_EQ(HexLayout::DigitOfPosition({1, 9}, EndPosition::of(16)), -1);
    EXPECT_EQ(HexLayout::DigitOfPosition({1, 10}, EndPosition::of(17)), 1);
    EXPECT_EQ(HexLayout::DigitOfPosition({1, 12}, EndPosition::of(17)), -1);
}

TEST_P(HexLayoutTest, OffsetsAndPositions)
{
    const std::pair<ByteOffset, Spot> rows[] = {{0, {0, 9}}, {8, {0, 34}}, {15, {0, 55}}, {0x12345, {0x1234, 24}}};
    for (const auto& [offset, spot] : rows) {
        const TextPos first = at(spot);
        EXPECT_EQ(first, B + 77 * spot.line + spot.column);
        EXPECT_EQ(layout.SplitPosition(first + 1), (LinePos{spot.line, spot.column + 1}));
        EXPECT_EQ(layout.HexPositionOfOffset(offset), (HexPositions{first, first + 1})) << offset;
        for (TextPos digit : {first, first + 1}) {
            EXPECT_EQ(layout.OffsetOfPosition(digit), offset);
            EXPECT_EQ(layout.CharPositionOfHexPosition(digit), at({spot.line, 60 + int(offset % 16)}));
        }
    }
    EXPECT_EQ(layout.HexPositionOfOffset(-1), HexPositions{});
    // The prefix and the opening break of line 0 are no data positions; a line's break is its column -1.
    for (TextPos pos : {TextPos(0), B - 1})
        EXPECT_EQ(layout.SplitPosition(pos), LinePos{}) << pos;
    EXPECT_EQ(layout.SplitPosition(B + 76), (LinePos{1, -1}));
    // Off the cells: the byte before, or none in the prefix.
    EXPECT_EQ(layout.OffsetOfPosition(at({3, 33})), 16 * 3 - 1);
    EXPECT_EQ(layout.OffsetOfPosition(at({3, 2})), 16 * 3 - 1);
    EXPECT_EQ(layout.OffsetOfPosition(at({3, 11})), 16 * 3);
    EXPECT_EQ(layout.OffsetOfPosition(B - 1), kNoOffset);
    EXPECT_EQ(layout.CharPositionOfHexPosition(at({5, 33})), kNoPos);
    EXPECT_EQ(layout.CharPositionOfHexPosition(B - 1), kNoPos);
}

TEST_P(HexLayoutTest, SelectionToByteRange)
{
    const ByteRange none;
    // Each row: byte count, selection from, to, bytes covered.
    const std::tuple<qint64, Spot, Spot, ByteRange> rows[] = {
        // From the second digit of byte 3 to just after the first digit of byte 5; from the line number;
        // over the double space; only the double space; only the space after a cell.
        {100, {0, 19}, {0, 25}, {3, 5}}, {100, {1, 0}, {1, 20}, {16, 19}}, {100, {0, 31}, {0, 35}, {7, 8}},
        {100, {0, 32}, {0, 34}, none}, {100, {0, 11}, {0, 12}, none},
        // From the character cells into the next line's cells; from the last cell's trailing space to the
        // next line number; from the prefix to the first digit of byte 0; from the prefix into the cells.
        {100, {0, 60}, {1, 20}, {16, 19}}, {100, {0, 57}, {1, 9}, none}, {100, {-1, 0}, {0, 9}, none},
        {100, {-1, 0}, {1, 20}, {kNoOffset, 19}},
        // End clipped to the last byte; end at the start of the line after the last full line; starts on the
        // space after the last byte; an empty file.
        {17, {0, 9}, {1, 40}, {0, 16}}, {32, {1, 9}, {2, -1}, {16, 31}}, {17, {1, 11}, {1, 20}, none},
        {0, {0, 0}, {0, 7}, none},
        // Carets: on the space after a cell, on the double space, in an empty file, just after and beyond
        // the last byte.
        {100, {0, 14}, {0, 14}, {1, 1}}, {100, {0, 33}, {0, 33}, none}, {0, {0, 9}, {0, 9}, none},
        {17, {1, 11}, {1, 11}, {16, 16}}, {17, {1, 12}, {1, 12}, none},
    };
    for (const auto& [count, from, to, expected] : rows) {
        const EndPosition end = EndPosition::of(count);
        EXPECT_EQ(layout.SelectionToByteRange(range(from, to), end), expected) << count << " " << from.column;
        EXPECT_EQ(layout.SelectionToByteRange(range(to, from), end), expected) << count << " " << from.column;
    }
}

// The snapping rules in their own words, column by column, as the oracle.
Spot startSnapRule(Spot spot)
{
    const int c = spot.column;
    const bool spaceAfterCell = c >= 11 && c <= 54 && c != 32 && c != 33 && (c < 33 ? (c - 11) % 3 == 0 : (c - 36) % 3 == 0);
    if (c < 9)
        return {spot.line, 9};
    if (spaceAfterCell)
        return {spot.line, c + 1};
    if (c == 32 || c == 33)
        return {spot.line, 34};
    return c < 57 ? spot : Spot{spot.line + 1, 9};
}

Spot endSnapRule(Spot spot)
{
    const int c = spot.column;
    if (c < 10)
        return {spot.line - 1, 56};
    if (c == 32 || c == 33 || c == 34)
        return {spot.line, 31};
    const int cellStart = c < 33 ? 9 + (c - 9) / 3 * 3 : 34 + (c - 34) / 3 * 3;
    if (c < 57 && c != cellStart + 1)
        return {spot.line, c == cellStart ? c - 2 : cellStart + 1};
    return c < 57 ? spot : Spot{spot.line, 56};
}

TEST_P(HexLayoutTest, SnappingFollowsTheRulesOnEveryColumn)
{
    for (int column = -1; column < 76; ++column) {
        const TextRange snapped = layout.SelectionToTextRange(range({2, column}, {2, column}));
        EXPECT_EQ(snapped.start, at(startSnapRule({2, column}))) << "start column " << column;
        EXPECT_EQ(snapped.end, at(endSnapRule({2, column}))) << "end column " << column;
    }
}

TEST_P(HexLayoutTest, InsertionOffsetOfCaret)
{
    const std::pair<Spot, ByteOffset> rows[] = {{{2, 9}, 32},  {{2, 11}, 33}, {{2, 31}, 39}, {{2, 32}, 40},
                                                {{2, 34}, 40}, {{2, 56}, 47}, {{2, 57}, 48}, {{2, 8}, -1},
                                                {{2, 58}, -1}, {{-1, 0}, -1}};
    for (const auto& [caret, expected] : rows)
        EXPECT_EQ(layout.InsertionOffsetOfCaret(range(caret, caret)), expected) << "column " << caret.column;
    // A selection counts from its smaller end.
    EXPECT_EQ(layout.InsertionOffsetOfCaret(range({3, 40}, {1, 12})), 17);
}

}  // namespace
