#pragma once

#include <QByteArray>

#include "bytemodel/bytemodel.h"
#include "hexdoc/hexlayout.h"
#include "listing/textsource.h"

/// The listing of a byte buffer: the view's prefix, then one line per 16 bytes
/// (line number, hexadecimal cells, character cells), trailing white space
/// trimmed, produced line by line from the bytes on demand.
///
/// It reads the bytes live, so a byte changed in place shows at once; the
/// byte count is taken when the listing is made and grows with appends; any
/// other change of length needs a new listing. The model must outlive it.
class HexListingText final : public TextSource {
public:
    HexListingText(QByteArray prefix, const ByteModel& bytes);

    TextPos length() const override;
    qint64 lineCount() const override;
    TextPos lineStart(qint64 line) const override;
    qint64 lineOfPosition(TextPos pos) const override;
    void appendText(TextPos from, TextPos to, QByteArray& out) const override;
    /// Accepts a replacement only when it equals the text the bytes give now.
    bool replace(TextPos from, TextPos to, QByteArrayView text) override;

    /// Bytes first..last changed in place: the text of their lines is already
    /// new; the end of the last line follows its bytes (trailing spaces are
    /// trimmed as in a full listing). Returns the text range that changed.
    TextRange bytesChanged(ByteOffset first, ByteOffset last);

    /// The bytes now number byteCount, the new ones appended (a smaller
    /// count changes nothing): returns the text range that changed, from the
    /// old last line's opening line break to the new end.
    TextRange bytesAppended(qint64 byteCount);

    qint64 byteCount() const { return m_byteCount; }
    const HexLayout& layout() const { return m_layout; }

private:
    qint64 prefixLineCount() const;
    qint64 dataLineCount() const;
    /// Column just after the last character kept on the last data line.
    int lastLineEndColumn() const;
    /// Writes count whole data lines of 77 characters from firstLine on,
    /// each opening line break first.
    void writeLines(char* dst, qint64 firstLine, qint64 count) const;
    TextPos computeLength() const;

    QByteArray m_prefix;
    const ByteModel& m_bytes;
    qint64 m_byteCount;
    HexLayout m_layout;
    // Derived once: the prefix's own line starts, and the text length.
    std::vector<TextPos> m_prefixLineStarts;
    TextPos m_length = 0;
};
