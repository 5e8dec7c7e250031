#include "hexdoc/hexlayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

// Readable failure messages for the layout's value types.
void PrintTo(const LinePos& pos, std::ostream* out)
{
    *out << "(line " << pos.line << ", column " << pos.column << ")";
}

void PrintTo(const ByteRange& range, std::ostream* out)
{
    *out << "(bytes " << range.first << " to " << range.last << ")";
}

void PrintTo(const EndPosition& end, std::ostream* out)
{
    *out << "(end line " << end.line << ", columns " << end.firstDigitColumn << "/" << end.secondDigitColumn << ")";
}

namespace {

// Prefix lengths of the plain view and of the pane views.
constexpr TextPos kPrefixLengths[] = {77, 155};

/// A place in the listing as (line, column) of a data line; line -1 means the
/// first character of the text, in front of every data line.
struct Spot {
    qint64 line;
    int column;
};

TextPos positionOf(const HexLayout& layout, Spot spot)
{
    return spot.line < 0 ? 0 : layout.JoinPosition(spot.line, spot.column);
}

class HexLayoutTest : public ::testing::TestWithParam<TextPos> {
protected:
    HexLayout layout{GetParam()};
    TextPos B = GetParam() + 1;

    TextRange range(Spot from, Spot to) const { return {positionOf(layout, from), positionOf(layout, to)}; }
};

INSTANTIATE_TEST_SUITE_P(Prefixes, HexLayoutTest, ::testing::ValuesIn(kPrefixLengths));

TEST(HexGeometry, HeaderLabelsStandOverEachCellAndItsCharacter)
{
    const std::string header = HexGeometry::kHeaderText;
    ASSERT_EQ(header.size(), 77u);
    const char hex[] = "0123456789ABCDEF";
    for (int k = 0; k < 16; ++k) {
        const int first = HexGeometry::firstDigitColumn(k);
        EXPECT_EQ(header.substr(std::size_t(first), 2), std::string("0") + hex[k]) << "byte index " << k;
        EXPECT_EQ(header[std::size_t(60 + k)], hex[k]) << "byte index " << k;
        // One cell per three columns, with the extra gap after byte 7.
        if (k > 0) {
            EXPECT_EQ(first - HexGeometry::firstDigitColumn(k - 1), k == 8 ? 4 : 3) << "byte index " << k;
        }
    }
}

TEST(HexGeometry, CharCellShowsPrintableAsciiAndDotsForTheRest)
{
    const std::pair<int, char> rows[] = {{0x00, '.'}, {0x1F, '.'}, {0x20, ' '}, {0x41, 'A'},
                                         {0x7E, '~'}, {0x7F, '.'}, {0x80, '.'}, {0xFF, '.'}};
    for (const auto& [value, shown] : rows)
        EXPECT_EQ(HexGeometry::charCellOf(std::uint8_t(value)), shown) << "byte " << value;
}

TEST(EndPositionTest, FollowsTheByteCountAndBoundsTheBytes)
{
    struct Row {
        qint64 count;
        EndPosition expected;
    };
    const Row rows[] = {
        {0, {0, -1, -1}},  {1, {0, 9, 10}},  {8, {0, 30, 31}},           {9, {0, 34, 35}},
        {16, {1, -1, -1}}, {17, {1, 9, 10}}, {0x12346, {0x1234, 24, 25}}, {qint64(1) << 33, {qint64(1) << 29, -1, -1}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(EndPosition::of(row.count), row.expected) << "count " << row.count;

    struct Past {
        qint64 count;
        LinePos pos;
        bool past;
    };
    const Past pasts[] = {
        {0, {0, -1}, false}, {0, {0, 9}, true},    {16, {0, 75}, false}, {16, {1, -1}, false},
        {16, {1, 0}, true},  {17, {1, 10}, false}, {17, {1, 11}, true},  {17, {2, 0}, true},
    };
    for (const Past& row : pasts)
        EXPECT_EQ(EndPosition::of(row.count).isPast(row.pos), row.past)
            << "count " << row.count << " at " << row.pos.line << "," << row.pos.column;
}

TEST(HexLayoutStatic, ByteIndexAndDigitOfEveryColumn)
{
    std::vector<int> index(76, -1);
    std::vector<int> digit(76, -1);
    for (int k = 0; k < 16; ++k) {
        const int first = HexGeometry::firstDigitColumn(k);
        index[std::size_t(first)] = index[std::size_t(first + 1)] = index[std::size_t(first + 2)] = k;
        digit[std::size_t(first)] = 0;
        digit[std::size_t(first + 1)] = 1;
    }
    const EndPosition farEnd = EndPosition::of(1000);
    for (int column = -1; column < 76; ++column) {
        const std::size_t at = std::size_t(std::max(column, 0));
        EXPECT_EQ(HexLayout::ByteIndexOfColumn(column), column < 0 ? -1 : index[at]) << column;
        EXPECT_EQ(HexLayout::DigitOfPosition({2, column}, farEnd), column < 0 ? -1 : digit[at]) << column;
    }
    for (int column : {76, 100, -5})
        EXPECT_EQ(HexLayout::ByteIndexOfColumn(column), -1) << column;
    EXPECT_EQ(HexLayout::DigitOfPosition({-1, -1}, farEnd), -1);
}

TEST(HexLayoutStatic, DigitOfPositionIsNoneAfterTheLastByte)
{
    EXPECT_EQ(HexLayout::DigitOfPosition({0, 9}, EndPosition::of(0)), -1);
    EXPECT_EQ(HexLayout::DigitOfPosition({0, 9}, EndPosition::of(16)), 0);
    EXPECT_EQ(HexLayout::DigitOfPosition({1, 9}, EndPosition::of(16)), -1);
    EXPECT_EQ(HexLayout::DigitOfPosition({1, 10}, EndPosition::of(17)), 1);
    EXPECT_EQ(HexLayout::DigitOfPosition({1, 12}, EndPosition::of(17)), -1);
}

TEST_P(HexLayoutTest, SplitPositionAndJoinPositionRoundTrip)
{
    for (TextPos pos : {TextPos(0), B - 1})
        EXPECT_EQ(layout.SplitPosition(pos), LinePos{}) << "prefix position " << pos;
    EXPECT_EQ(layout.SplitPosition(B + 76), (LinePos{1, -1}));
    EXPECT_EQ(layout.SplitPosition(B + 77 * qint64(0x1234567) + 33), (LinePos{0x1234567, 33}));
    for (qint64 line : {qint64(0), qint64(1), qint64(77), qint64(1) << 31}) {
        // The opening break of line 0 ends the prefix and is no data position.
        for (int column = line == 0 ? 0 : -1; column < 76; ++column) {
            const TextPos pos = layout.JoinPosition(line, column);
            EXPECT_EQ(pos, B + 77 * line + column);
            EXPECT_EQ(layout.SplitPosition(pos), (LinePos{line, column})) << line << "," << column;
        }
    }
}

TEST_P(HexLayoutTest, OffsetsAndPositions)
{
    struct Row {
        ByteOffset offset;
        qint64 line;
        int column;
    };
    const Row rows[] = {{0, 0, 9}, {7, 0, 30}, {8, 0, 34}, {15, 0, 55}, {16, 1, 9}, {0x12345, 0x1234, 24}};
    for (const Row& row : rows) {
        const TextPos first = layout.JoinPosition(row.line, row.column);
        const TextPos cell = layout.JoinPosition(row.line, 60 + int(row.offset % 16));
        EXPECT_EQ(layout.HexPositionOfOffset(row.offset), (HexPositions{first, first + 1})) << row.offset;
        for (TextPos digit : {first, first + 1}) {
            EXPECT_EQ(layout.OffsetOfPosition(digit), row.offset);
            EXPECT_EQ(layout.CharPositionOfHexPosition(digit), cell) << row.offset;
        }
    }
    EXPECT_EQ(layout.HexPositionOfOffset(-1), HexPositions{});
    // Off the cells: the byte before, or none in the prefix.
    EXPECT_EQ(layout.OffsetOfPosition(layout.JoinPosition(3, 33)), 16 * 3 - 1);
    EXPECT_EQ(layout.OffsetOfPosition(layout.JoinPosition(3, 2)), 16 * 3 - 1);
    EXPECT_EQ(layout.OffsetOfPosition(layout.JoinPosition(3, 11)), 16 * 3);
    EXPECT_EQ(layout.OffsetOfPosition(B - 1), kNoOffset);
    EXPECT_EQ(layout.CharPositionOfHexPosition(layout.JoinPosition(5, 33)), kNoPos);
    EXPECT_EQ(layout.CharPositionOfHexPosition(B - 1), kNoPos);
}

TEST_P(HexLayoutTest, SelectionToByteRange)
{
    struct Row {
        const char* name;
        qint64 byteCount;
        Spot from;
        Spot to;
        ByteRange expected;
    };
    const ByteRange none;
    const Row rows[] = {
        {"second digit of byte 3 to just after first digit of byte 5", 100, {0, 19}, {0, 25}, {3, 5}},
        {"second digit only", 100, {1, 13}, {1, 14}, {17, 17}},
        {"from the line number", 100, {1, 0}, {1, 20}, {16, 19}},
        {"over the double space", 100, {0, 31}, {0, 35}, {7, 8}},
        {"only the double space", 100, {0, 32}, {0, 34}, none},
        {"only the space after a cell", 100, {0, 11}, {0, 12}, none},
        {"over several lines", 100, {0, 40}, {3, 20}, {10, 51}},
        {"from the character cells into the next line's cells", 100, {0, 60}, {1, 20}, {16, 19}},
        {"from the last cell's trailing space to the next line number", 100, {0, 57}, {1, 9}, none},
        {"line number only", 100, {1, 0}, {1, 8}, none},
        {"from the prefix to the first digit of byte 0", 100, {-1, 0}, {0, 9}, none},
        {"from the prefix into the cells", 100, {-1, 0}, {1, 20}, {kNoOffset, 19}},
        {"end clipped to the last byte", 17, {0, 9}, {1, 40}, {0, 16}},
        {"end at the start of the line after the last full line", 32, {1, 9}, {2, -1}, {16, 31}},
        {"starts on the space after the last byte", 17, {1, 11}, {1, 20}, none},
        {"empty file", 0, {0, 0}, {0, 7}, none},
        {"caret on the space after a cell", 100, {0, 14}, {0, 14}, {1, 1}},
        {"caret on the double space", 100, {0, 33}, {0, 33}, none},
        {"caret on column 57", 100, {2, 57}, {2, 57}, {47, 47}},
        {"caret in an empty file", 0, {0, 9}, {0, 9}, none},
        {"caret just after the last byte", 17, {1, 11}, {1, 11}, {16, 16}},
        {"caret beyond the last byte", 17, {1, 12}, {1, 12}, none},
    };
    for (const Row& row : rows) {
        const EndPosition end = EndPosition::of(row.byteCount);
        const TextRange forward = range(row.from, row.to);
        EXPECT_EQ(layout.SelectionToByteRange(forward, end), row.expected) << row.name;
        EXPECT_EQ(layout.SelectionToByteRange({forward.end, forward.start}, end), row.expected)
            << row.name << " (selected backwards)";
    }
}

// The snapping rules in their own words, column by column, as the oracle for the tables.
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
    if (c < 57)
        return spot;
    return {spot.line + 1, 9};
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
    if (c < 57)
        return spot;
    return {spot.line, 56};
}

TEST_P(HexLayoutTest, SnappingFollowsTheRulesOnEveryColumn)
{
    for (int column = -1; column < 76; ++column) {
        const Spot from{2, column};
        const Spot to{2, column};
        const TextRange snapped = layout.SelectionToTextRange(range(from, to));
        EXPECT_EQ(snapped.start, positionOf(layout, startSnapRule(from))) << "start column " << column;
        EXPECT_EQ(snapped.end, positionOf(layout, endSnapRule(to))) << "end column " << column;
    }
}

TEST_P(HexLayoutTest, InsertionOffsetOfCaret)
{
    struct Row {
        Spot caret;
        ByteOffset expected;
    };
    const Row rows[] = {
        {{2, 9}, 32},  {{2, 11}, 33}, {{2, 31}, 39}, {{2, 32}, 40}, {{2, 34}, 40},
        {{2, 56}, 47}, {{2, 57}, 48}, {{2, 8}, -1},  {{2, 58}, -1}, {{-1, 0}, -1},
    };
    for (const Row& row : rows) {
        const TextPos pos = positionOf(layout, row.caret);
        EXPECT_EQ(layout.InsertionOffsetOfCaret({pos, pos}), row.expected)
            << "column " << row.caret.column;
    }
    // A selection counts from its smaller end.
    EXPECT_EQ(layout.InsertionOffsetOfCaret(range({3, 40}, {1, 12})), 17);
}

}  // namespace
