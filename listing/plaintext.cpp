#include "listing/plaintext.h"

#include <algorithm>

namespace {

void appendLineStarts(QByteArrayView text, TextPos base, std::vector<TextPos>& starts)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '\n')
            starts.push_back(base + i + 1);
    }
}

}  // namespace

PlainText::PlainText(QByteArray text)
    : m_text(std::move(text))
{
    m_lineStarts.push_back(0);
    appendLineStarts(m_text, 0, m_lineStarts);
}

TextPos PlainText::length() const
{
    return m_text.size();
}

qint64 PlainText::lineCount() const
{
    return qint64(m_lineStarts.size());
}

TextPos PlainText::lineStart(qint64 line) const
{
    return m_lineStarts[size_t(line)];
}

qint64 PlainText::lineOfPosition(TextPos pos) const
{
    return std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), pos) - m_lineStarts.begin() - 1;
}

void PlainText::appendText(TextPos from, TextPos to, QByteArray& out) const
{
    out.append(QByteArrayView(m_text).sliced(from, to - from));
}

bool PlainText::replace(TextPos from, TextPos to, QByteArrayView text)
{
    m_text.replace(from, to - from, text);
    // Breaks inside [from, to) opened the lines starting in (from, to]; those
    // go, the new text's breaks come in, and later starts move by the change.
    const TextPos delta = text.size() - (to - from);
    const auto first = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), from);
    const auto last = std::upper_bound(first, m_lineStarts.end(), to);
    std::for_each(last, m_lineStarts.end(), [delta](TextPos& start) { start += delta; });
    std::vector<TextPos> added;
    appendLineStarts(text, from, added);
    const auto at = m_lineStarts.erase(first, last);
    m_lineStarts.insert(at, added.begin(), added.end());
    return true;
}
