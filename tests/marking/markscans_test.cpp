#include <gtest/gtest.h>

#include <algorithm>
#include <array>
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
using Runs = std::vector<MarkRun>;

/// Runs the scan; its sink sets the stop flag on run stopAt, and stopAt -1
/// sets the flag before the scan. False when the scan did not finish.
template <typename Scan, typename Settings>
bool runScan(Scan scan, const ByteModel& model, const Settings& settings, Runs& runs, int stopAt = 0)
{
    StopFlag stop{stopAt < 0};
    return scan(model, settings, stop, [&](const MarkRun& run) {
        runs.push_back(run);
        if (int(runs.size()) == stopAt)
            stop = true;
    });
}

/// The bytes' colours after the runs are applied in order.
Colors colorsOf(const Runs& runs, std::size_t size)
{
    Colors colors(size, kUntouched);
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const MarkRun& run = runs[i];
        EXPECT_TRUE(run.first >= 0 && run.first <= run.last && run.last < qint64(size));
        // Adjacent runs of one colour are handed on as one.
        EXPECT_FALSE(i > 0 && runs[i - 1].color == run.color && runs[i - 1].last + 1 == run.first);
        std::fill(colors.begin() + run.first, colors.begin() + run.last + 1, run.color);
    }
    return colors;
}

/// Compares the scan with its oracle; a stop from the sink ends it at once,
/// and a stop before it leaves only the runs whenStopped (the file clearing).
template <typename Scan, typename Settings>
void check(Scan scan, const ByteBuffer& bytes, const Settings& settings, const Colors& expected,
           const Runs& whenStopped, int stopAt)
{
    ByteModel model;
    model.assign(bytes);
    Runs runs, stopped, before;
    ASSERT_TRUE(runScan(scan, model, settings, runs));
    ASSERT_EQ(colorsOf(runs, bytes.size()), expected);
    const bool finished = runScan(scan, model, settings, stopped, stopAt);
    ASSERT_EQ(stopped, Runs(runs.begin(), runs.begin() + std::min(runs.size(), std::size_t(stopAt))));
    ASSERT_TRUE(runs.size() > std::size_t(stopAt) ? !finished : runs.size() == std::size_t(stopAt) || finished);
    ASSERT_FALSE(runScan(scan, model, settings, before, -1));
    ASSERT_EQ(before, whenStopped);
}

/// The colours a sink that also takes stretches of alternating units whole,
/// as the marks of a listing do, gets from the Mark Units scan.
Colors unitsAsAlternations(const ByteBuffer& bytes, const MarkUnitsSettings& settings)
{
    ByteModel model;
    model.assign(bytes);
    StopFlag stop{false};
    Colors colors(bytes.size(), kUntouched);
    const auto takeRun = [&](const MarkRun& run) {
        std::fill(colors.begin() + run.first, colors.begin() + run.last + 1, run.color);
    };
    const auto takeAlternation = [&](const AlternatingRun& run) {
        EXPECT_TRUE(run.unit > 0 && run.first >= 0 && run.first <= run.last && run.last < qint64(bytes.size()));
        for (qint64 i = run.first; i <= run.last; ++i)
            colors[std::size_t(i)] = run.colors[(i - run.first) / run.unit % 2];
    };
    EXPECT_TRUE(scanMarkUnits(model, settings, stop, MarkSink(takeRun, takeAlternation)));
    return colors;
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

/// Runs every scan with seeded random settings over random bytes against its
/// oracle, and with a stop from its sink after one of its first runs. Bytes,
/// values and patterns come from a small alphabet, so that they occur often.
void compareWithOracles(int rounds, int maxSize)
{
    std::mt19937 random{7};
    const auto below = [&](int n) { return int(random() % unsigned(n)); };
    const auto value = [&] {
        static const char* kDigits[] = {"AA", "BB", "1", "02"};
        QString out;
        for (int n = below(4); n > 0; --n)
            out += QLatin1String(kDigits[below(4)]);
        return out.left(8);
    };
    const auto colorName = [&] {
        static const char* kNames[] = {"Red", "Blue", "Green", "Black", "", "red", "Yellow Gold"};
        return QLatin1String(kNames[below(7)]);
    };
    for (int round = 0; round < rounds && !::testing::Test::HasFailure(); ++round) {
        SCOPED_TRACE(round);
        ByteBuffer bytes(std::size_t(below(maxSize + 1)));
        for (auto& b : bytes)
            b = std::array<std::uint8_t, 4>{0xAA, 0xBB, 0x01, 0x02}[below(4)];
        const qint64 size = qint64(bytes.size());
        // Missing (-1), inside or just past the bytes, or far past them.
        const auto address = [&] {
            const int kind = below(8);
            return kind == 0 ? qint64(-1) : kind == 1 ? qint64(0xFFFFFFFF) : qint64(below(int(size) + 3));
        };
        const auto block = [&] { return AddressBlock{address(), address()}; };
        const int stopAt = 1 + below(3);
        MarkBytesSettings markBytes;
        for (int v = 0; v < 4; ++v)
            markBytes.values[v] = value(), markBytes.colorNames[v] = colorName();
        markBytes.clearBlock = below(2) == 0;
        markBytes.block = block();
        check(scanMarkBytes, bytes, markBytes, naiveMarkBytes(bytes, markBytes), {}, stopAt);
        MarkBlocksSettings blocks;
        for (int k = 0; k < 3; ++k)
            blocks.blocks[k] = block(), blocks.colorNames[k] = colorName();
        blocks.clearFile = below(2) == 0;
        const Runs clearing = blocks.clearFile && size > 0 ? Runs{{0, size - 1, kDefaultTextColor}} : Runs{};
        check(scanMarkBlocks, bytes, blocks, naiveMarkBlocks(bytes, blocks), clearing, stopAt);
        const MarkUnitsSettings units{below(2) == 0, below(6), colorName(), colorName(), block()};
        check(scanMarkUnits, bytes, units, naiveMarkUnits(bytes, units), {}, stopAt);
        ASSERT_EQ(unitsAsAlternations(bytes, units), naiveMarkUnits(bytes, units));
        for (int type = 0; type < 3; ++type) {
            MarkPatternsSettings patterns;
            patterns.type = PatternType(type);
            patterns.chosen() = {value(), QString::number(below(5)), value(), {colorName(), colorName(), colorName()}};
            patterns.clearBlock = below(2) == 0;
            patterns.block = block();
            check(scanMarkPatterns, bytes, patterns, naiveMarkPatterns(bytes, patterns), {}, stopAt);
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
    EXPECT_EQ(unitsAsAlternations(bytes, units), naiveMarkUnits(bytes, units));
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
    ByteModel model;
    model.assign(bytes);
    Runs runs;
    ASSERT_TRUE(runScan(scanMarkPatterns, model, s, runs));
    const Colors colors = colorsOf(runs, bytes.size());
    const ByteBuffer start(bytes.begin(), bytes.begin() + 12);
    EXPECT_EQ(Colors(colors.begin(), colors.begin() + 12), naiveMarkPatterns(start, s));
    EXPECT_EQ(std::count(colors.begin(), colors.end(), kUntouched), qint64(bytes.size()) - 11);
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
