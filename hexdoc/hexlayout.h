#pragma once

#include <QtGlobal>

#include <array>

#include "bytemodel/bytebuffer.h"
#include "listing/textsource.h"

/// Fixed geometry of a hex listing: 16 bytes per data line, 77 positions per
/// line (the opening line break, then columns 0 to 75).
namespace HexGeometry {
constexpr int kBytesPerLine = 16;
constexpr int kLineWidth = 77;
constexpr int kNoColumn = -1;
constexpr int kFirstCharColumn = 60;
/// The header line shared by every view.
constexpr char kHeaderText[] =
    "Address: 00 01 02 03 04 05 06 07  08 09 0A 0B 0C 0D 0E 0F   0123456789ABCDEF\n";

/// First-digit columns by byte index; one extra space between bytes 7 and 8.
constexpr std::array<int, kBytesPerLine> kFirstDigitColumns = {
    9, 12, 15, 18, 21, 24, 27, 30, 34, 37, 40, 43, 46, 49, 52, 55};

/// First-digit column of byte index 0..15 of a line.
int firstDigitColumn(int byteIndex);
/// The character shown in a byte's character cell: itself for 0x20..0x7E, '.' otherwise.
char charCellOf(std::uint8_t byte);
}  // namespace HexGeometry

/// A (line, column) pair of a data line; line -1 and column -1 mean none.
struct LinePos {
    qint64 line = -1;
    int column = HexGeometry::kNoColumn;
    bool operator==(const LinePos&) const = default;
};

/// The document's end position: the last byte's position, or the start of the
/// line after the last full line when the count is a multiple of 16.
struct EndPosition {
    qint64 line = 0;
    int firstDigitColumn = HexGeometry::kNoColumn;
    int secondDigitColumn = HexGeometry::kNoColumn;
    static EndPosition of(qint64 byteCount);
    /// True when (line, column) lies after the last byte.
    bool isPast(LinePos pos) const;
    bool operator==(const EndPosition&) const = default;
};

/// Both digits of a byte's hexadecimal cell.
struct HexPositions {
    TextPos first = kNoPos;
    TextPos second = kNoPos;
    bool operator==(const HexPositions&) const = default;
};

/// Inclusive range of whole bytes; (-1, -1) when nothing is selected.
struct ByteRange {
    ByteOffset first = kNoOffset;
    ByteOffset last = kNoOffset;
    bool isNone() const { return first == kNoOffset && last == kNoOffset; }
    bool operator==(const ByteRange&) const = default;
};

/// Conversions between byte offsets and text positions for one view, whose
/// prefix (the text before data line 0) is prefixLength characters long.
/// Holds no other state, so worker threads may use it freely.
class HexLayout {
public:
    explicit HexLayout(TextPos prefixLength);

    TextPos prefixLength() const { return m_prefixLength; }
    /// B: position of column 0 of data line 0.
    TextPos base() const { return m_prefixLength + 1; }
    /// Position after the first rendering: the first digit of byte 0.
    TextPos initialCaret() const { return base() + 9; }

    LinePos SplitPosition(TextPos pos) const;
    TextPos JoinPosition(qint64 line, int column) const;
    static int ByteIndexOfColumn(int column);
    static int DigitOfPosition(LinePos pos, const EndPosition& end);
    ByteOffset OffsetOfPosition(TextPos pos) const;
    HexPositions HexPositionOfOffset(ByteOffset offset) const;
    TextPos CharPositionOfHexPosition(TextPos hexPos) const;

    /// Whole bytes covered by a selection; a selection ending at the first digit
    /// of byte 0 covers no digit and gives no range.
    ByteRange SelectionToByteRange(TextRange selection, const EndPosition& end) const;
    /// The selection snapped to whole cells, as text positions.
    TextRange SelectionToTextRange(TextRange selection) const;
    /// Offset before which Insert and Paste put new bytes, or -1.
    ByteOffset InsertionOffsetOfCaret(TextRange selection) const;

private:
    TextPos snapStart(LinePos pos) const;
    TextPos snapEnd(LinePos pos) const;

    TextPos m_prefixLength;
};
