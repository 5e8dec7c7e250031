#include "hexdoc/hexlistingtext.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

using namespace HexGeometry;

constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr int kLastCellWidth = 4;  // two digits and the spaces up to the next cell

/// Per byte value: its hexadecimal cell followed by two spaces (the second one
/// is overwritten by the next cell, or is the gap after byte 7 and byte 15),
/// and its character cell.
struct ByteTexts {
    std::array<std::array<char, kLastCellWidth>, 256> hexCell{};
    std::array<char, 256> charCell{};
};

ByteTexts makeByteTexts()
{
    ByteTexts texts;
    for (int value = 0; value < 256; ++value) {
        texts.hexCell[value] = {kHexDigits[value >> 4], kHexDigits[value & 0xF], ' ', ' '};
        texts.charCell[value] = charCellOf(std::uint8_t(value));
    }
    return texts;
}

const ByteTexts kByteTexts = makeByteTexts();

// Index in a line's text of each byte's first digit: the opening line break is index 0.
constexpr std::array<int, kBytesPerLine> kFirstDigitIndex = [] {
    std::array<int, kBytesPerLine> indices{};
    for (std::size_t k = 0; k < indices.size(); ++k)
        indices[k] = 1 + kFirstDigitColumns[k];
    return indices;
}();
constexpr int kFirstCharIndex = 1 + kFirstCharColumn;

/// A data line with no bytes: the line break and 76 spaces.
constexpr std::array<char, kLineWidth> makeBlankLine()
{
    std::array<char, kLineWidth> line{};
    line.fill(' ');
    line[0] = '\n';
    return line;
}

constexpr std::array<char, kLineWidth> kBlankLine = makeBlankLine();

/// Writes the line break, the seven-digit line number and the two spaces after it.
inline void writeLineNumber(char* dst, qint64 line)
{
    // Seven digits hold line numbers up to 4 GiB of bytes; beyond, the number
    // shows its low seven digits so that every column stays in place.
    const auto number = quint32(line) & 0xFFFFFFFu;
    const char text[10] = {'\n',
                           kHexDigits[(number >> 24) & 0xF],
                           kHexDigits[(number >> 20) & 0xF],
                           kHexDigits[(number >> 16) & 0xF],
                           kHexDigits[(number >> 12) & 0xF],
                           kHexDigits[(number >> 8) & 0xF],
                           kHexDigits[(number >> 4) & 0xF],
                           kHexDigits[number & 0xF],
                           ' ',
                           ' '};
    std::memcpy(dst, text, sizeof text);
}

inline void writeFullLine(char* dst, qint64 line, const std::uint8_t* bytes)
{
    writeLineNumber(dst, line);
    for (int k = 0; k < kBytesPerLine; ++k)
        std::memcpy(dst + kFirstDigitIndex[k], kByteTexts.hexCell[bytes[k]].data(), kLastCellWidth);
    dst[kFirstCharIndex - 1] = ' ';
    for (int k = 0; k < kBytesPerLine; ++k)
        dst[kFirstCharIndex + k] = kByteTexts.charCell[bytes[k]];
}

/// A line with fewer than 16 bytes: missing cells stay spaces.
void writePartialLine(char* dst, qint64 line, const std::uint8_t* bytes, int count)
{
    std::memcpy(dst, kBlankLine.data(), kLineWidth);
    writeLineNumber(dst, line);
    for (int k = 0; k < count; ++k) {
        std::memcpy(dst + kFirstDigitIndex[k], kByteTexts.hexCell[bytes[k]].data(), 2);
        dst[kFirstCharIndex + k] = kByteTexts.charCell[bytes[k]];
    }
}

}  // namespace

HexListingText::HexListingText(QByteArray prefix, const ByteModel& bytes)
    : m_prefix(std::move(prefix))
    , m_bytes(bytes)
    , m_byteCount(bytes.size())
    , m_layout(m_prefix.size())
{
    m_prefixLineStarts.push_back(0);
    for (qsizetype i = 0; i < m_prefix.size(); ++i) {
        if (m_prefix.at(i) == '\n')
            m_prefixLineStarts.push_back(i + 1);
    }
    m_length = computeLength();
}

TextPos HexListingText::computeLength() const
{
    return m_layout.JoinPosition(dataLineCount() - 1, lastLineEndColumn());
}

TextRange HexListingText::bytesChanged(ByteOffset first, ByteOffset last)
{
    if (last >= (dataLineCount() - 1) * kBytesPerLine)
        m_length = computeLength();
    const TextPos start = m_layout.JoinPosition(first / kBytesPerLine, -1);
    const TextPos end = m_layout.JoinPosition(last / kBytesPerLine, kLineWidth - 1);
    return {std::min(start, m_length), std::min(end, m_length)};
}

TextRange HexListingText::bytesAppended(qint64 byteCount)
{
    if (byteCount <= m_byteCount)
        return {m_length, m_length};
    const TextPos start = m_layout.JoinPosition(dataLineCount() - 1, -1);
    m_byteCount = byteCount;
    m_length = computeLength();
    return {start, m_length};
}

TextPos HexListingText::length() const
{
    return m_length;
}

qint64 HexListingText::lineCount() const
{
    return prefixLineCount() + dataLineCount();
}

TextPos HexListingText::lineStart(qint64 line) const
{
    if (line < prefixLineCount())
        return m_prefixLineStarts[std::size_t(line)];
    return m_layout.JoinPosition(line - prefixLineCount(), 0);
}

qint64 HexListingText::lineOfPosition(TextPos pos) const
{
    if (pos < m_layout.base()) {
        const auto next = std::upper_bound(m_prefixLineStarts.begin(), m_prefixLineStarts.end(), pos);
        return qint64(next - m_prefixLineStarts.begin()) - 1;
    }
    const qint64 dataLine = (pos - m_layout.base()) / kLineWidth;
    return prefixLineCount() + std::min(dataLine, dataLineCount() - 1);
}

void HexListingText::appendText(TextPos from, TextPos to, QByteArray& out) const
{
    const qsizetype oldSize = out.size();
    out.resize(oldSize + qsizetype(to - from));
    char* dst = out.data() + oldSize;

    const TextPos prefixLength = m_prefix.size();
    if (from < prefixLength) {
        const TextPos count = std::min(to, prefixLength) - from;
        std::memcpy(dst, m_prefix.constData() + from, std::size_t(count));
        dst += count;
        from += count;
    }
    if (from >= to)
        return;

    // Data lines are measured from their opening line break at P + 77 * line.
    qint64 line = (from - prefixLength) / kLineWidth;
    const int skip = int((from - prefixLength) % kLineWidth);
    std::array<char, kLineWidth> partial;
    if (skip != 0) {
        writeLines(partial.data(), line, 1);
        const TextPos count = std::min<TextPos>(kLineWidth - skip, to - from);
        std::memcpy(dst, partial.data() + skip, std::size_t(count));
        dst += count;
        from += count;
        ++line;
    }
    const qint64 wholeLines = (to - from) / kLineWidth;
    writeLines(dst, line, wholeLines);
    dst += wholeLines * kLineWidth;
    from += wholeLines * kLineWidth;
    line += wholeLines;
    if (from < to) {
        writeLines(partial.data(), line, 1);
        std::memcpy(dst, partial.data(), std::size_t(to - from));
    }
}

bool HexListingText::replace(TextPos from, TextPos to, QByteArrayView text)
{
    if (from < 0 || from > to || to > m_length || text.size() != to - from)
        return false;
    return QByteArrayView(this->text(from, to)) == text;
}

qint64 HexListingText::prefixLineCount() const
{
    return qint64(m_prefixLineStarts.size());
}

qint64 HexListingText::dataLineCount() const
{
    // An empty buffer still shows the line number of line 0.
    return m_byteCount == 0 ? 1 : (m_byteCount + kBytesPerLine - 1) / kBytesPerLine;
}

int HexListingText::lastLineEndColumn() const
{
    constexpr int kLineNumberEnd = 7;
    if (m_byteCount == 0)
        return kLineNumberEnd;
    const qint64 lineStartOffset = (dataLineCount() - 1) * kBytesPerLine;
    std::array<std::uint8_t, kBytesPerLine> bytes{};
    const int count = int(m_bytes.read(lineStartOffset, std::span(bytes.data(), std::size_t(m_byteCount - lineStartOffset))));
    // Trailing white space is trimmed: space character cells at the end go,
    // back to the last other character or the last byte's second digit.
    for (int k = count - 1; k >= 0; --k) {
        if (bytes[std::size_t(k)] != 0x20)
            return kFirstCharColumn + k + 1;
    }
    return firstDigitColumn(std::max(count, 1) - 1) + 2;
}

void HexListingText::writeLines(char* dst, qint64 firstLine, qint64 count) const
{
    // Bytes are copied out a block at a time: one lock per block, not per line.
    constexpr qint64 kBlockLines = 4096;
    std::vector<std::uint8_t> block(std::size_t(std::min(count, kBlockLines) * kBytesPerLine));
    for (qint64 done = 0; done < count;) {
        const qint64 lines = std::min(count - done, kBlockLines);
        const qint64 firstByte = (firstLine + done) * kBytesPerLine;
        // The model may have shrunk since the count was taken; show only what it holds.
        const qint64 wanted = std::clamp<qint64>(m_byteCount - firstByte, 0, lines * kBytesPerLine);
        const qint64 got = m_bytes.read(firstByte, std::span(block.data(), std::size_t(wanted)));
        for (qint64 i = 0; i < lines; ++i, dst += kLineWidth) {
            const qint64 inLine = std::clamp<qint64>(got - i * kBytesPerLine, 0, kBytesPerLine);
            const std::uint8_t* bytes = block.data() + std::min(i * kBytesPerLine, got);
            if (inLine == kBytesPerLine)
                writeFullLine(dst, firstLine + done + i, bytes);
            else
                writePartialLine(dst, firstLine + done + i, bytes, int(inLine));
        }
        done += lines;
    }
}
