#include "marking/markpatternsscan.h"

#include <algorithm>

#include "bytemodel/bytemodel.h"
#include "byteops/fieldtext.h"
#include "byteops/hexbytestring.h"
#include "marking/blockreader.h"
#include "marking/colorpalette.h"
#include "marking/blockscan.h"

namespace {

/// One scan of the block for the patterns of one type.
class PatternScan {
public:
    PatternScan(const ByteModel& bytes, ByteSpan block, const PatternTexts& texts, const StopFlag& stop,
                RunWriter& writer)
        : m_reader(bytes, block, stop)
        , m_block(block)
        , m_writer(writer)
        , m_header(ParseHexValue(texts.header))
        , m_tail(ParseHexValue(texts.tail))
        , m_count(FieldText::decimalNumber(texts.count.trimmed()).value_or(0))
        , m_colors{ColorFromName(texts.colorNames[0]), ColorFromName(texts.colorNames[1]),
                   ColorFromName(texts.colorNames[2])}
    {
    }

    /// False when a stop came.
    bool run(PatternType type)
    {
        using Scan = bool (PatternScan::*)();
        static constexpr Scan kScans[] = {&PatternScan::headerAndTail, &PatternScan::headerBodyTail,
                                          &PatternScan::headerAndCount};
        return m_header.empty() || (this->*kScans[std::size_t(type)])();
    }

private:
    enum Part { Header, Middle, Closing };

    bool headerAndTail();
    bool headerBodyTail();
    bool headerAndCount();

    bool paint(ByteOffset first, ByteOffset last, Part part)
    {
        return first > last || m_writer.paint(first, last, m_colors[part]);
    }
    bool findHeader(ByteOffset& at) { return (at = m_reader.find(m_header, at)) != kNoOffset; }
    bool headerToBlockEnd(ByteOffset header);

    BlockReader m_reader;
    ByteSpan m_block;
    RunWriter& m_writer;
    ByteBuffer m_header;
    ByteBuffer m_tail;
    qint64 m_count;
    Rgb m_colors[3];
};

bool PatternScan::headerAndTail()
{
    if (m_tail.empty())
        return true;
    const qint64 hn = qint64(m_header.size());
    for (ByteOffset i = m_block.first; findHeader(i);) {
        // Once a header finds no tail before the block's end, no later header
        // can find one either: stopping here keeps the scan linear.
        const ByteOffset j = m_reader.find(m_tail, i + hn);
        if (j == kNoOffset)
            break;
        const ByteOffset next = j + qint64(m_tail.size());
        if (!paint(i, i + hn - 1, Header) || !paint(i + hn, j - 1, Middle) || !paint(j, next - 1, Closing))
            return false;
        i = next;
    }
    return !m_reader.stopped();
}

bool PatternScan::headerBodyTail()
{
    if (m_tail.empty())
        return true;
    const qint64 hn = qint64(m_header.size());
    const qint64 tn = qint64(m_tail.size());
    for (ByteOffset i = m_block.first; findHeader(i);) {
        const ByteOffset t = i + hn + m_count;
        // A tail past the block's end here is past it for every later header too.
        if (t + tn - 1 > m_block.last)
            break;
        if (!m_reader.matchesAt(t, m_tail)) {
            ++i;
            continue;
        }
        if (!paint(i, i + hn - 1, Header) || !paint(i + hn, t - 1, Middle) || !paint(t, t + tn - 1, Closing))
            return false;
        i = t + tn;
    }
    return !m_reader.stopped();
}

bool PatternScan::headerAndCount()
{
    const qint64 hn = qint64(m_header.size());
    for (ByteOffset i = m_block.first; findHeader(i);) {
        const ByteOffset following = i + hn + m_count;
        if (following > m_block.last)
            return headerToBlockEnd(i);
        if (!paint(i, i + hn - 1, Header) || !paint(i + hn, following - 1, Middle)
            || !paint(following, following, Closing))
            return false;
        // The following byte may itself be the next header.
        i = following;
    }
    return !m_reader.stopped();
}

/// A header whose tail bytes run past the block's end: it and every later
/// header colour their tail bytes up to the end, each over the one before, so
/// a byte ends in the header colour when it lies in the last header starting
/// at or before it, and in the tail colour otherwise.
bool PatternScan::headerToBlockEnd(ByteOffset header)
{
    const qint64 hn = qint64(m_header.size());
    for (ByteOffset i = header;;) {
        const ByteOffset next = m_reader.find(m_header, i + 1);
        if (next == kNoOffset && m_reader.stopped())
            return false;
        const ByteOffset until = next == kNoOffset ? m_block.last : next - 1;
        if (!paint(i, std::min(i + hn - 1, until), Header) || !paint(i + hn, until, Middle))
            return false;
        if (next == kNoOffset)
            return true;
        i = next;
    }
}

}  // namespace

bool scanMarkPatterns(const ByteModel& bytes, const MarkPatternsSettings& settings, const StopFlag& stop,
                      const MarkSink& sink)
{
    return runBlockScan(bytes, settings.block, settings.clearBlock, stop, sink,
                        [&](RunWriter& writer, const ByteSpan& block) {
                            return PatternScan(bytes, block, settings.chosen(), stop, writer).run(settings.type);
                        });
}
