#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

/// A character position in a listing. Positions are 64-bit: the listing of a
/// large file has more characters than a 32-bit index can count. -1 means none.
using TextPos = qint64;
constexpr TextPos kNoPos = -1;

/// An ordered text range [start, end); a caret is an empty range.
struct TextRange {
    TextPos start = 0;
    TextPos end = 0;
    bool operator==(const TextRange&) const = default;
};

/// The characters a ListingControl shows. A line break is one '\n' and counts
/// as one position. A source may hold its text or produce it on demand (the hex
/// listing of a large file never exists as one string).
class TextSource {
public:
    virtual ~TextSource() = default;

    virtual TextPos length() const = 0;
    /// Number of lines: the number of line breaks plus one.
    virtual qint64 lineCount() const = 0;
    /// Position of the first character of a line (the one after its opening break).
    virtual TextPos lineStart(qint64 line) const = 0;
    /// The line holding pos; length() belongs to the last line.
    virtual qint64 lineOfPosition(TextPos pos) const = 0;
    /// Appends the characters [from, to) to out; the caller keeps 0 <= from <= to <= length().
    virtual void appendText(TextPos from, TextPos to, QByteArray& out) const = 0;
    /// Replaces [from, to) with text where the source can hold the change, and
    /// says whether it did. A source that produces its text on demand accepts
    /// only what it would produce anyway; the control then copies the text into
    /// a source that can hold any change.
    virtual bool replace(TextPos from, TextPos to, QByteArrayView text) = 0;

    /// Characters of a line without its line break.
    qint64 lineLength(qint64 line) const
    {
        const TextPos end = line + 1 < lineCount() ? lineStart(line + 1) - 1 : length();
        return end - lineStart(line);
    }
    QByteArray text(TextPos from, TextPos to) const
    {
        QByteArray out;
        out.reserve(qsizetype(to - from));
        appendText(from, to, out);
        return out;
    }
};
