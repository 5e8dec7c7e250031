#include "hexdoc/hexlayout.h"

#include <gtest/gtest.h>

#include <string>
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

TEST(HexGeometry, HeaderLabelsStandOverEachCellAndItsCharacter)
{
    const std::string header = HexGeometry::kHeaderText;
    const char hex[] = "0123456789ABCDEF";
    for (int k = 0; k < 16; ++k) {
        const int first = HexGeometry::firstDigitColumn(k);
        EXPECT_EQ(header.substr(std::size_t(first), 2), std::string("0") + hex[k]) << k;
        EXPECT_EQ(header[std::size_t(60 + k)], hex[k]) << k;
    }
}

TEST(EndPositionTest, FollowsTheByteCountAndBoundsTheBytes)
{
    const std::pair<qint64, EndPosition> ends[] = {
        {0, {0, -1, -1}}, {1, {0, 9, 10}}, {9, {0, 34, 35}}, {16, {1, -1, -1}}, {0x12346, {0x1234, 24, 25}}};
    for (const auto& [count, end] : ends)
        EXPECT_EQ(EndPosition::of(count), end) << count;
    const struct {
        qint64 count;
        LinePos pos;
        bool past;
    } pasts[] = {{0, {0, -1}, false}, {0, {0, 9}, true},   {16, {0, 75}, false}, {16, {1, -1}, false},
                 {16, {1, 0}, true},  {17, {1, 10}, false}, {17, {1, 11}, true},  {17, {2, 0}, true}};
    for (const auto& row : pasts)
        EXPECT_EQ(EndPosition::of(row.count).isPast(row.pos), row.past) << row.count << " " << row.pos.column;
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
    const EndPosition farEnd = EndPosition::of(1000);
    for (int column = -5; column < 100; ++column) {
        const bool inLine = column >= 0 && column < 76;
        EXPECT_EQ(HexLayout::ByteIndexOfColumn(column), inLine ? index[std::size_t(column)] : -1) << column;
        if (column < 76) {
            EXPECT_EQ(HexLayout::DigitOfPosition({2, column}, farEnd), inLine ? digit[std::size_t(column)] : -1);
        }
    }
    // None after the last byte.
    EXPECT_EQ(HexLayout::DigitOfPosition({0, 9}, EndPosition::of(0)), -1);
    EXPECT_EQ(HexLayout::DigitOfPosition({1, 9}, EndPosition::of(16)), -1);
    EXPECT_EQ(HexLayout::DigitOfPosition({1, 10}, EndPosition::of(17)), 1);
    EXPECT_EQ(HexLayout::DigitOfPosition({1, 12}, EndPosition::of(17)), -1);
}

TEST_P(HexLayoutTest, SplitPositionAndJoinPositionRoundTrip)
{
    for (TextPos pos : {TextPos(0), B - 1})
        EXPECT_EQ(layout.SplitPosition(pos), LinePos{}) << pos;
    EXPECT_EQ(layout.SplitPosition(B + 76), (LinePos{1, -1}));
    for (qint64 line : {qint64(0), qint64(77), qint64(1) << 31}) {
        // The opening break of line 0 ends the prefix and is no data position.
        for (int column = line == 0 ? 0 : -1; column < 76; ++column) {
            EXPECT_EQ(layout.JoinPosition(line, column), B + 77 * line + column);
            EXPECT_EQ(layout.SplitPosition(B + 77 * line + column), (LinePos{line, column}));
        }
    }
}

TEST_P(HexLayoutTest, OffsetsAndPositions)
{
    const std::pair<ByteOffset, Spot> rows[] = {{0, {0, 9}}, {8, {0, 34}}, {15, {0, 55}}, {0x12345, {0x1234, 24}}};
    for (const auto& [offset, spot] : rows) {
        const TextPos first = at(spot);
        EXPECT_EQ(layout.HexPositionOfOffset(offset), (HexPositions{first, first + 1})) << offset;
        for (TextPos digit : {first, first + 1}) {
            EXPECT_EQ(layout.OffsetOfPosition(digit), offset);
            EXPECT_EQ(layout.CharPositionOfHexPosition(digit), at({spot.line, 60 + int(offset % 16)}));
        }
    }
    EXPECT_EQ(layout.HexPositionOfOffset(-1), HexPositions{});
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
    const struct {
        const char* name;
        qint64 byteCount;
        Spot from;
        Spot to;
        ByteRange expected;
    } rows[] = {
        {"second digit of byte 3 to just after first digit of byte 5", 100, {0, 19}, {0, 25}, {3, 5}},
        {"from the line number", 100, {1, 0}, {1, 20}, {16, 19}},
        {"over the double space", 100, {0, 31}, {0, 35}, {7, 8}},
        {"only the double space", 100, {0, 32}, {0, 34}, none},
        {"only the space after a cell", 100, {0, 11}, {0, 12}, none},
        {"from the character cells into the next line's cells", 100, {0, 60}, {1, 20}, {16, 19}},
        {"from the last cell's trailing space to the next line number", 100, {0, 57}, {1, 9}, none},
        {"from the prefix to the first digit of byte 0", 100, {-1, 0}, {0, 9}, none},
        {"from the prefix into the cells", 100, {-1, 0}, {1, 20}, {kNoOffset, 19}},
        {"end clipped to the last byte", 17, {0, 9}, {1, 40}, {0, 16}},
        {"end at the start of the line after the last full line", 32, {1, 9}, {2, -1}, {16, 31}},
        {"starts on the space after the last byte", 17, {1, 11}, {1, 20}, none},
        {"empty file", 0, {0, 0}, {0, 7}, none},
        {"caret on the space after a cell", 100, {0, 14}, {0, 14}, {1, 1}},
        {"caret on the double space", 100, {0, 33}, {0, 33}, none},
        {"caret in an empty file", 0, {0, 9}, {0, 9}, none},
        {"caret just after the last byte", 17, {1, 11}, {1, 11}, {16, 16}},
        {"caret beyond the last byte", 17, {1, 12}, {1, 12}, none},
    };
    for (const auto& row : rows) {
        const TextRange forward = range(row.from, row.to);
        const EndPosition end = EndPosition::of(row.byteCount);
        EXPECT_EQ(layout.SelectionToByteRange(forward, end), row.expected) << row.name;
        EXPECT_EQ(layout.SelectionToByteRange({forward.end, forward.start}, end), row.expected) << row.name;
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
