#include "listing/textboundaries.h"

#include <QByteArray>

namespace {

enum class CharClass { Blank, Word, Other };

CharClass classOf(char c)
{
    if (c == ' ' || c == '\t')
        return CharClass::Blank;
    const bool word = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
    return word ? CharClass::Word : CharClass::Other;
}

struct Line {
    TextPos start;
    QByteArray text;
};

Line lineOf(const TextSource& source, TextPos pos)
{
    const qint64 line = source.lineOfPosition(pos);
    const TextPos start = source.lineStart(line);
    return {start, source.text(start, start + source.lineLength(line))};
}

}  // namespace

namespace TextBoundaries {

TextRange wordAt(const TextSource& text, TextPos pos)
{
    const Line line = lineOf(text, pos);
    qsizetype begin = qsizetype(pos - line.start);
    if (begin >= line.text.size())
        return {pos, pos};
    const CharClass cls = classOf(line.text[begin]);
    qsizetype end = begin;
    while (begin > 0 && classOf(line.text[begin - 1]) == cls)
        --begin;
    while (end < line.text.size() && classOf(line.text[end]) == cls)
        ++end;
    return {line.start + begin, line.start + end};
}

TextPos nextWordStart(const TextSource& text, TextPos pos)
{
    const Line line = lineOf(text, pos);
    qsizetype i = qsizetype(pos - line.start);
    if (i >= line.text.size())
        return qMin(pos + 1, text.length());
    const CharClass cls = classOf(line.text[i]);
    while (i < line.text.size() && cls != CharClass::Blank && classOf(line.text[i]) == cls)
        ++i;
    while (i < line.text.size() && classOf(line.text[i]) == CharClass::Blank)
        ++i;
    return line.start + i;
}

TextPos previousWordStart(const TextSource& text, TextPos pos)
{
    const Line line = lineOf(text, pos);
    qsizetype i = qsizetype(pos - line.start);
    if (i == 0)
        return qMax(pos - 1, TextPos(0));
    while (i > 0 && classOf(line.text[i - 1]) == CharClass::Blank)
        --i;
    if (i > 0) {
        const CharClass cls = classOf(line.text[i - 1]);
        while (i > 0 && classOf(line.text[i - 1]) == cls)
            --i;
    }
    return line.start + i;
}

TextRange lineAt(const TextSource& text, TextPos pos)
{
    const qint64 line = text.lineOfPosition(pos);
    const TextPos end = line + 1 < text.lineCount() ? text.lineStart(line + 1) : text.length();
    return {text.lineStart(line), end};
}

}  // namespace TextBoundaries
