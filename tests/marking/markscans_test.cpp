#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <vector>

#include "bytemodel/bytemodel.h"
#include "byteops/hexbytestring.h"
#include "marking/blockreader.h"
#include "marking/colorpalette.h"
#include "marking/markblocksscan.h"
#include "marking/markbytesscan.h"
#include "marking/markpatternsscan.h"
#include "marking/markunitsscan.h"

namespace {

// A colour no mark uses: the bytes a scan leaves alone keep it.
constexpr Rgb kUntouched = 0x123456;
using Colors = std::vector<Rgb>;

/// The bytes' colours after a scan's runs are applied in order; empty when
/// the scan did not finish. With alternations, the sink also takes stretches
/// of alternating units whole, as the marks of a listing do.
template <typename Settings, typename Scan>
Colors applyScan(Scan scan, const ByteBuffer& bytes, const Settings& settings, bool alternations = false)
{
    ByteModel model;
    model.assign(bytes);
    StopFlag stop{false};
    Colors colors(bytes.size(), kUntouched);
    std::vector<MarkRun> runs;
    const auto takeRun = [&](const MarkRun& run) {
        EXPECT_TRUE(run.first >= 0 && run.first <= run.last && run.last < qint64(bytes.size()));
        // Adjacent runs of one colour are handed on as one.
        EXPECT_FALSE(!runs.empty() && runs.back().color == run.color && runs.back().last + 1 == run.first);
        std::fill(colors.begin() + run.first, colors.begin() + run.last + 1, run.color);
        runs.push_back(run);
    };
    const auto takeAlternation = [&](const AlternatingRun& run) {
        EXPECT_TRUE(run.unit > 0 && run.first >= 0 && run.first <= run.last && run.last < qint64(bytes.size()));
        for (qint64 i = run.first; i <= run.last; ++i)
            colors[std::size_t(i)] = run.colors[(i - run.first) / run.unit % 2];
    };
    const bool finished = alternations ? scan(model, settings, stop, MarkSink(takeRun, takeAlternation))
                                       : scan(model, settings, stop, takeRun);
    return finished ? colors : Colors{};
}

// ---- The written algorithms, byte by byte, as the oracles ----

struct Block {
    qint64 s, e;  // e < s: nothing
};

Block naiveBlock(const AddressBlock& b, qint64 size)
{
    if (b.start < 0 || b.end < 0)
        return {0, -1};
    return {std::min(b.start, b.end), std::min(std::max(b.start, b.end), size - 1)};
}

bool at(const ByteBuffer& bytes, qint64 i, const ByteBuffer& value, qint64 e)
{
    if (value.empty() || i < 0 || i + qint64(value.size()) - 1 > e)
        return false;
    return std::equal(value.begin(), value.end(), bytes.begin() + i);
}

void colour(Colors& c, qint64 first, qint64 last, Rgb color)
{
    for (qint64 b = first; b <= last; ++b)
        c[std::size_t(b)] = color;
}

/// The colours before a scan of the block: black over it when clearing.
Colors cleared(const ByteBuffer& bytes, const Block& b, bool clear)
{
    Colors c(bytes.size(), kUntouched);
    if (clear)
        colour(c, b.s, b.e, 0);
    return c;
}

Colors naiveMarkBytes(const ByteBuffer& bytes, const MarkBytesSettings& s)
{
    const Block b = naiveBlock(s.block, qint64(bytes.size()));
    Colors c = cleared(bytes, b, s.clearBlock);
    for (int v = 0; v < 4; ++v) {
        const ByteBuffer value = ParseHexValue(s.values[v]);
        for (qint64 i = b.s; i <= b.e; ++i)
            if (at(bytes, i, value, b.e))
                colour(c, i, i + qint64(value.size()) - 1, ColorFromName(s.colorNames[v]));
    }
    return c;
}

Colors naiveMarkBlocks(const ByteBuffer& bytes, const MarkBlocksSettings& s)
{
    Colors c(bytes.size(), s.clearFile ? 0 : kUntouched);
    for (int k = 0; k < 3; ++k) {
        const Block b = naiveBlock(s.blocks[k], qint64(bytes.size()));
        colour(c, b.s, b.e, ColorFromName(s.colorNames[k]));
    }
    return c;
}

Colors naiveMarkUnits(const ByteBuffer& bytes, const MarkUnitsSettings& s)
{
    const Block b = naiveBlock(s.block, qint64(bytes.size()));
    Colors c = cleared(bytes, b, s.clearBlock);
    const Rgb colors[] = {ColorFromName(s.color1), ColorFromName(s.color2)};
    for (qint64 i = b.s; i <= b.e; ++i)
        c[std::size_t(i)] = colors[s.unitSize == 0 ? 0 : (i - b.s) / s.unitSize % 2];
    return c;
}

Colors naiveMarkPatterns(const ByteBuffer& bytes, const MarkPatternsSettings& s)
{
    const Block b = naiveBlock(s.block, qint64(bytes.size()));
    Colors c = cleared(bytes, b, s.clearBlock);
    const PatternTexts& t = s.chosen();
    const ByteBuffer H = ParseHexValue(t.header), T = ParseHexValue(t.tail);
    const qint64 hn = qint64(H.size()), tn = qint64(T.size()), N = t.count.trimmed().toLongLong(), e = b.e;
    const Rgb c1 = ColorFromName(t.colorNames[0]), c2 = ColorFromName(t.colorNames[1]),
              c3 = ColorFromName(t.colorNames[2]);
    if (H.empty() || (s.type != PatternType::Type3 && T.empty()))
        return c;
    for (qint64 i = b.s; i + hn - 1 <= e;) {
        // The tail's position, or -1 when the pattern is incomplete.
        qint64 j = -1;
        if (!at(bytes, i, H, e)) {
        } else if (s.type == PatternType::Type1) {
            for (qint64 q = i + hn; q <= e - tn + 1 && j < 0; ++q)
                j = at(bytes, q, T, e) ? q : -1;
        } else if (s.type == PatternType::Type2) {
            j = at(bytes, i + hn + N, T, e) ? i + hn + N : -1;
        } else {
            colour(c, i, i + hn - 1, c1);
            colour(c, i + hn, std::min(i + hn + N - 1, e), c2);
            if (i + hn + N <= e)
                colour(c, i + hn + N, i + hn + N, c3);
            i = i + hn + N <= e ? i + hn + N : i + 1;
            continue;
        }
        if (j < 0) {
            ++i;
            continue;
        }
        colour(c, i, i + hn - 1, c1);
        colour(c, i + hn, j - 1, c2);
        colour(c, j, j + tn - 1, c3);
        i = j + tn;
    }
    return c;
}

// ---- Oracles over seeded random bytes and settings ----

class RandomCases {
public:
    int below(int n) { return int(m_random() % unsigned(n)); }

    /// Bytes from a small alphabet, so that values and patterns occur often.
    ByteBuffer bytes(int maxSize)
    {
        static constexpr std::uint8_t kAlphabet[] = {0xAA, 0xBB, 0x01, 0x02};
        ByteBuffer out(std::size_t(below(maxSize + 1)));
        for (auto& b : out)
            b = kAlphabet[below(4)];
        return out;
    }
    QString value()
    {
        static const char* kDigits[] = {"AA", "BB", "1", "02"};
        QString out;
        for (int n = below(4); n > 0; --n)
            out += QLatin1String(kDigits[below(4)]);
        return out.left(8);
    }
    QString colorName()
    {
        static const char* kNames[] = {"Red", "Blue", "Green", "Black", "", "red", "Yellow Gold"};
        return QLatin1String(kNames[below(7)]);
    }
    /// Missing (-1), inside or just past the bytes, or far past them.
    AddressBlock block(qint64 size)
    {
        const auto address = [&] {
            const int kind = below(8);
            return kind == 0 ? qint64(-1) : kind == 1 ? qint64(0xFFFFFFFF) : qint64(below(int(size) + 3));
        };
        return {address(), address()};
    }
    bool coin() { return below(2) == 0; }

private:
    std::mt19937 m_random{7};
};

/// Runs every scan with random settings over random bytes and compares it with its oracle.
void compareWithOracles(int rounds, int maxSize)
{
    RandomCases random;
    for (int round = 0; round < rounds; ++round) {
        const ByteBuffer bytes = random.bytes(maxSize);
        const qint64 size = qint64(bytes.size());
        MarkBytesSettings markBytes;
        for (int v = 0; v < 4; ++v)
            markBytes.values[v] = random.value(), markBytes.colorNames[v] = random.colorName();
        markBytes.clearBlock = random.coin();
        markBytes.block = random.block(size);
        ASSERT_EQ(applyScan(scanMarkBytes, bytes, markBytes), naiveMarkBytes(bytes, markBytes)) << round;
        MarkBlocksSettings blocks;
        for (int k = 0; k < 3; ++k)
            blocks.blocks[k] = random.block(size), blocks.colorNames[k] = random.colorName();
        blocks.clearFile = random.coin();
        ASSERT_EQ(applyScan(scanMarkBlocks, bytes, blocks), naiveMarkBlocks(bytes, blocks)) << round;
        MarkUnitsSettings units;
        units.unitSize = random.below(6);
        units.color1 = random.colorName();
        units.color2 = random.colorName();
        units.clearBlock = random.coin();
        units.block = random.block(size);
        ASSERT_EQ(applyScan(scanMarkUnits, bytes, units), naiveMarkUnits(bytes, units)) << round;
        ASSERT_EQ(applyScan(scanMarkUnits, bytes, units, true), naiveMarkUnits(bytes, units)) << round;
        for (int type = 0; type < 3; ++type) {
            MarkPatternsSettings patterns;
            patterns.type = PatternType(type);
            patterns.chosen() = {random.value(), QString::number(random.below(5)), random.value(),
                                 {random.colorName(), random.colorName(), random.colorName()}};
            patterns.clearBlock = random.coin();
            patterns.block = random.block(size);
            ASSERT_EQ(applyScan(scanMarkPatterns, bytes, patterns), naiveMarkPatterns(bytes, patterns)) << round;
        }
    }
}

// Small files, then blocks that span several of the pieces the scans read,
// so that values and patterns straddle the pieces' edges.
TEST(MarkScansOracle, RandomSettings)
{
    compareWithOracles(3000, 120);
    compareWithOracles(20, 70000);
}

// Units handed on as alternations come in several stretches over a long block.
TEST(MarkScansOracle, LongAlternations)
{
    const ByteBuffer bytes((3 << 20) + 5);
    MarkUnitsSettings units;
    units.unitSize = 3;
    units.color1 = QStringLiteral("Red");
    units.color2 = QStringLiteral("Blue");
    units.block = {1, qint64(bytes.size())};
    EXPECT_EQ(applyScan(scanMarkUnits, bytes, units, true), naiveMarkUnits(bytes, units));
}

// The written Type1 search restarts after every header without a tail; the
// scan stops at the first one instead. Same colours, and a long run of headers
// with no tail ends.
TEST(MarkPatternsScan, HeadersWithoutTailEndTheTypeOneScan)
{
    ByteBuffer bytes(1 << 20, 0xAA);
    bytes[10] = 0xFF;
    MarkPatternsSettings s;
    s.clearBlock = false;
    s.block = {0, qint64(bytes.size()) - 1};
    s.chosen() = {"AA", "", "FF", {"Red", "Green", "Blue"}};
    const Colors colors = applyScan(scanMarkPatterns, bytes, s);
    ASSERT_EQ(colors.size(), bytes.size());
    const ByteBuffer start(bytes.begin(), bytes.begin() + 12);
    EXPECT_EQ(Colors(colors.begin(), colors.begin() + 12), naiveMarkPatterns(start, s));
    EXPECT_EQ(std::count(colors.begin(), colors.end(), kUntouched), qint64(bytes.size()) - 11);
}

// ---- Stopping ----

// A stop from the sink ends the scan at once; a stop before it colours nothing but the file clearing.
TEST(MarkScans, AStopEndsTheScanAtOnce)
{
    // Every other byte AA, so each scan has many runs to hand on.
    ByteBuffer bytes(1 << 20);
    for (std::size_t i = 0; i < bytes.size(); i += 2)
        bytes[i] = 0xAA;
    ByteModel model;
    model.assign(bytes);
    MarkBytesSettings markBytes;
    markBytes.values[0] = "AA";
    markBytes.block = {0, 0xFFFFF};
    MarkUnitsSettings units;
    units.color1 = "Red";
    units.block = {0, 0xFFFFF};
    MarkBlocksSettings blocks;
    blocks.blocks = {{{0, 5}, {10, 20}, {30, 40}}};
    blocks.colorNames = {"Red", "Blue", "Red"};
    blocks.clearFile = false;
    MarkPatternsSettings type3;
    type3.type = PatternType::Type3;
    type3.clearBlock = false;
    type3.block = {0, 0xFFFFF};
    type3.chosen() = {"AA", "1", "", {"Red", "Green", "Blue"}};
    using Scan = std::function<bool(const StopFlag&, const MarkSink&)>;
    const Scan kScans[] = {
        [&](auto& f, auto& s) { return scanMarkBytes(model, markBytes, f, s); },
        [&](auto& f, auto& s) { return scanMarkUnits(model, units, f, s); },
        [&](auto& f, auto& s) { return scanMarkBlocks(model, blocks, f, s); },
        [&](auto& f, auto& s) { return scanMarkPatterns(model, type3, f, s); },
    };
    for (const Scan& scan : kScans) {
        StopFlag stop{false};
        int runs = 0;
        EXPECT_FALSE(scan(stop, [&](const MarkRun&) { stop = ++runs == 2; }));
        EXPECT_EQ(runs, 2);
        EXPECT_FALSE(scan(stop, [&](const MarkRun&) { ++runs; }));
        EXPECT_EQ(runs, 2);
    }
    MarkBlocksSettings clearing;
    clearing.blocks[0] = {0, 3};
    StopFlag stop{true};
    std::vector<MarkRun> runs;
    EXPECT_FALSE(scanMarkBlocks(model, clearing, stop, [&](const MarkRun& r) { runs.push_back(r); }));
    EXPECT_EQ(runs, (std::vector<MarkRun>{{0, (1 << 20) - 1, kDefaultTextColor}}));
}

// A search that hands nothing on still sees a stop: the flag is read before
// each piece of the block is read.
TEST(MarkScans, AStopDuringASilentSearchIsSeenAtTheNextPiece)
{
    ByteModel model;
    ByteBuffer bytes(std::size_t(BlockReader::kPieceSize) * 3, 0xBB);
    bytes[1] = 0xAA;
    bytes.back() = 0xAA;
    model.assign(bytes);
    StopFlag stop{false};
    BlockReader reader(model, {0, qint64(bytes.size()) - 1}, stop);
    const ByteBuffer header{0xAA};
    EXPECT_EQ(reader.find(header, 0), 1);
    stop = true;
    EXPECT_EQ(reader.find(header, 2), kNoOffset);
    EXPECT_TRUE(reader.stopped());
}

}  // namespace
