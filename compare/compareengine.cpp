#include "compare/compareengine.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace CompareEngine {

namespace {

/// Two pieces copied out of the files at the same offset, one lock each.
class PiecePair {
public:
    PiecePair(const ByteModel& file1, const ByteModel& file2)
        : m_file1(file1)
        , m_file2(file2)
    {
    }
    /// Loads [offset, offset + count); count <= kPiece.
    void load(ByteOffset offset, qint64 count)
    {
        m_count = std::min(m_file1.read(offset, std::span(m_piece1.data(), std::size_t(count))),
                           m_file2.read(offset, std::span(m_piece2.data(), std::size_t(count))));
    }
    bool equal() const { return std::memcmp(m_piece1.data(), m_piece2.data(), std::size_t(m_count)) == 0; }
    qint64 count() const { return m_count; }
    bool differsAt(qint64 index) const { return m_piece1[std::size_t(index)] != m_piece2[std::size_t(index)]; }

    /// Calls visit(index) for every differing index in order, a word at a time.
    template <typename Visit>
    void forEachDifference(Visit&& visit) const
    {
        qint64 index = 0;
        for (; index + 8 <= m_count; index += 8) {
            std::uint64_t word1 = 0;
            std::uint64_t word2 = 0;
            std::memcpy(&word1, m_piece1.data() + index, 8);
            std::memcpy(&word2, m_piece2.data() + index, 8);
            for (std::uint64_t differing = word1 ^ word2; differing != 0;) {
                const int byte = lowestByteOf(differing);
                visit(index + byte);
                differing &= ~(std::uint64_t(0xFF) << (byteShift(byte)));
            }
        }
        for (; index < m_count; ++index)
            if (differsAt(index))
                visit(index);
    }

private:
    /// The first byte in memory order whose bits are set in word.
    static int lowestByteOf(std::uint64_t word)
    {
        if constexpr (std::endian::native == std::endian::little)
            return std::countr_zero(word) / 8;
        else
            return std::countl_zero(word) / 8;
    }
    static int byteShift(int byte)
    {
        if constexpr (std::endian::native == std::endian::little)
            return byte * 8;
        else
            return (7 - byte) * 8;
    }

    const ByteModel& m_file1;
    const ByteModel& m_file2;
    ByteBuffer m_piece1 = ByteBuffer(std::size_t(kPiece));
    ByteBuffer m_piece2 = ByteBuffer(std::size_t(kPiece));
    qint64 m_count = 0;
};

/// Joins adjacent differing offsets into runs for the sink.
class RunJoiner {
public:
    explicit RunJoiner(const RunSink& sink)
        : m_sink(sink)
    {
    }
    void add(ByteOffset offset)
    {
        if (m_run.last + 1 == offset && m_run.last >= m_run.first) {
            m_run.last = offset;
            return;
        }
        flush();
        m_run = {offset, offset, false};
    }
    void flush()
    {
        if (m_run.last >= m_run.first)
            m_sink(m_run);
        m_run = {};
    }

private:
    const RunSink& m_sink;
    Run m_run;
};

bool compareCommon(const ByteModel& file1, const ByteModel& file2, const StopFlag& stop, const RunSink& sink,
                   Counts& counts)
{
    PiecePair pieces(file1, file2);
    RunJoiner runs(sink);
    for (ByteOffset offset = 0; offset < counts.common(); offset += kPiece) {
        if (stopRequested(stop))
            return false;
        pieces.load(offset, std::min(kPiece, counts.common() - offset));
        if (pieces.equal())
            continue;
        pieces.forEachDifference([&](qint64 index) {
            ++counts.differences;
            runs.add(offset + index);
        });
        // Each piece's runs go on at once, so the marks follow the scan.
        runs.flush();
    }
    return true;
}

bool handOnExtra(const StopFlag& stop, const RunSink& sink, const Counts& counts)
{
    const qint64 end = counts.common() + counts.extra();
    for (ByteOffset offset = counts.common(); offset < end; offset += kPiece) {
        if (stopRequested(stop))
            return false;
        sink(Run{offset, std::min(offset + kPiece, end) - 1, true});
    }
    return true;
}

}  // namespace

bool compare(const ByteModel& file1, const ByteModel& file2, const StopFlag& stop, const RunSink& sink,
             Counts& counts)
{
    counts = {file1.size(), file2.size(), 0};
    return compareCommon(file1, file2, stop, sink, counts) && handOnExtra(stop, sink, counts);
}

QString reportText(const Counts& counts)
{
    if (counts.size1 > counts.size2)
        return QStringLiteral("There are %1 different byte between file1 and file2.\nFile1 has %2 more bytes than file2")
            .arg(counts.differences)
            .arg(counts.extra());
    if (counts.size1 < counts.size2)
        return QStringLiteral("There are %1 different byte between file1 and file2.\nFile2 has %2 more bytes than file1")
            .arg(counts.differences)
            .arg(counts.extra());
    return QStringLiteral("Number of different byte found: %1").arg(counts.differences);
}

ByteOffset findForward(const ByteModel& file1, const ByteModel& file2, ByteOffset from)
{
    const qint64 common = std::min(file1.size(), file2.size());
    PiecePair pieces(file1, file2);
    for (ByteOffset offset = std::max<ByteOffset>(from, 0); offset < common; offset += kPiece) {
        pieces.load(offset, std::min(kPiece, common - offset));
        if (pieces.equal())
            continue;
        ByteOffset found = kNoOffset;
        pieces.forEachDifference([&](qint64 index) {
            if (found == kNoOffset)
                found = offset + index;
        });
        return found;
    }
    return kNoOffset;
}

ByteOffset findBackward(const ByteModel& file1, const ByteModel& file2, ByteOffset from)
{
    const qint64 common = std::min(file1.size(), file2.size());
    PiecePair pieces(file1, file2);
    for (ByteOffset end = std::min(from, common - 1) + 1; end > 0; end -= kPiece) {
        const ByteOffset offset = std::max<ByteOffset>(end - kPiece, 0);
        pieces.load(offset, end - offset);
        if (pieces.equal())
            continue;
        for (qint64 index = pieces.count() - 1; index >= 0; --index)
            if (pieces.differsAt(index))
                return offset + index;
    }
    return kNoOffset;
}

}  // namespace CompareEngine
