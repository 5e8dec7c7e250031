#include "hexdoc/bytemarklayer.h"

#include <algorithm>

namespace {

void addClipped(std::vector<ColoredRange>& out, TextRange cells, Rgb color, TextRange clip)
{
    const TextRange range{std::max(cells.start, clip.start), std::min(cells.end, clip.end)};
    if (range.start >= range.end)
        return;
    if (!out.empty() && out.back().color == color && out.back().range.end == range.start)
        out.back().range.end = range.end;
    else
        out.push_back({range, color});
}

}  // namespace

void ByteMarkLayer::colorRuns(TextRange range, std::vector<ColoredRange>& out) const
{
    if (m_marks.isEmpty() || range.end <= m_layout.base())
        return;
    const qint64 firstLine = m_layout.SplitPosition(std::max(range.start, m_layout.base())).line;
    const qint64 lastLine = m_layout.SplitPosition(range.end - 1).line;
    for (qint64 line = firstLine; line <= lastLine; ++line) {
        Rgb colors[HexGeometry::kBytesPerLine];
        m_marks.colorsAt(line * HexGeometry::kBytesPerLine, colors);
        // Digits first, then character cells: the order they stand in the line.
        for (int k = 0; k < HexGeometry::kBytesPerLine; ++k) {
            if (colors[k] == kDefaultTextColor)
                continue;
            const TextPos digit = m_layout.JoinPosition(line, HexGeometry::firstDigitColumn(k));
            addClipped(out, {digit, digit + 2}, colors[k], range);
        }
        for (int k = 0; k < HexGeometry::kBytesPerLine; ++k) {
            if (colors[k] == kDefaultTextColor)
                continue;
            const TextPos cell = m_layout.JoinPosition(line, HexGeometry::kFirstCharColumn + k);
            addClipped(out, {cell, cell + 1}, colors[k], range);
        }
    }
}

TextRange ByteMarkLayer::textOfBytes(ByteOffset first, ByteOffset last) const
{
    return {m_layout.JoinPosition(first / HexGeometry::kBytesPerLine, -1),
            m_layout.JoinPosition(last / HexGeometry::kBytesPerLine, HexGeometry::kLineWidth - 1)};
}
