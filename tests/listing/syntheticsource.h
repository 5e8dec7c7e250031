#pragma once

#include <QByteArray>

#include <vector>

#include "listing/textsource.h"

/// A generated text of many equal lines ("%07X" line number, then filler),
/// made on demand like the hex listing of a large file. It refuses every
/// replacement and counts the lines it was asked for.
class SyntheticSource final : public TextSource {
public:
    static constexpr qint64 kLineLength = 76;

    explicit SyntheticSource(qint64 lines) : m_lines(lines) {}

    TextPos length() const override { return m_lines * (kLineLength + 1) - 1; }
    qint64 lineCount() const override { return m_lines; }
    TextPos lineStart(qint64 line) const override { return line * (kLineLength + 1); }
    qint64 lineOfPosition(TextPos pos) const override { return std::min(pos / (kLineLength + 1), m_lines - 1); }
    void appendText(TextPos from, TextPos to, QByteArray& out) const override
    {
        ++m_appendCalls;
        for (TextPos pos = from; pos < to; ++pos) {
            const qint64 line = pos / (kLineLength + 1);
            const qint64 column = pos % (kLineLength + 1);
            if (m_requestedLines.empty() || m_requestedLines.back() != line)
                m_requestedLines.push_back(line);
            out.append(charAt(line, column));
        }
    }
    bool replace(TextPos, TextPos, QByteArrayView) override { return false; }

    static char charAt(qint64 line, qint64 column)
    {
        if (column == kLineLength)
            return '\n';
        if (column < 7)
            return "0123456789ABCDEF"[(line >> (4 * (6 - column))) & 0xF];
        return column % 3 == 0 ? ' ' : 'x';
    }

    mutable int m_appendCalls = 0;
    mutable std::vector<qint64> m_requestedLines;

private:
    qint64 m_lines;
};
