#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>
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

/// The bytes' colours after a scan's runs are applied in order.
struct Applied {
    bool finished = false;
    Colors colors;
    std::vector<MarkRun> runs;
};

template <typename Settings, typename Scan>
Applied applyScan(Scan scan, const ByteBuffer& bytes, const Settings& settings)
{
    ByteModel model;
    model.assign(bytes);
    StopFlag stop{false};
    Applied out;
    out.colors.assign(bytes.size(), kUntouched);
    out.finished = scan(model, settings, stop, [&](const MarkRun& run) {
        EXPECT_LE(run.first, run.last);
        EXPECT_GE(run.first, 0);
        EXPECT_LT(run.last, qint64(bytes.size()));
        std::fill(out.colors.begin() + run.first, out.colors.begin() + run.last + 1, run.color);
        out.runs.push_back(run);
    });
    return out;
}

/// Colours as letters, one per byte, for readable expectations.
std::string letters(const Colors& colors)
{
    static const std::map<Rgb, char> kLetters = {
        {kUntouched, '.'}, {0x000000, 'k'}, {0xFF0000, 'R'}, {0x0000FF, 'B'}, {0x00FF00, 'G'}, {0xFFFF00, 'Y'}};
    std::string out;
    for (Rgb c : colors)
        out += kLetters.count(c) ? kLetters.at(c) : '?';
    return out;
}

/// Adjacent runs of one colour are handed on as one.
void expectMerged(const std::vector<MarkRun>& runs)
{
    for (std::size_t k = 1; k < runs.size(); ++k)
        EXPECT_FALSE(runs[k].color == runs[k - 1].color && runs[k].first == runs[k - 1].last + 1)
            << "runs " << k - 1 << " and " << k << " could be one";
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

Colors naiveMarkBytes(const ByteBuffer& bytes, const MarkBytesSettings& s)
{
    Colors c(bytes.size(), kUntouched);
    const Block b = naiveBlock(s.block, qint64(bytes.size()));
    if (s.clearBlock)
        colour(c, b.s, b.e, 0);
    for (int v = 0; v < 4; ++v) {
        const ByteBuffer value = ParseHexValue(s.values[v]);
        const qint64 n = qint64(value.size());
        for (qint64 i = b.s; n > 0 && i <= b.e - n + 1; ++i)
            if (at(bytes, i, value, b.e))
                colour(c, i, i + n - 1, ColorFromName(s.colorNames[v]));
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
    Colors c(bytes.size(), kUntouched);
    const Block b = naiveBlock(s.block, qint64(bytes.size()));
    if (s.clearBlock)
        colour(c, b.s, b.e, 0);
    Rgb current = ColorFromName(s.color1);
    const Rgb other = ColorFromName(s.color2);
    int counter = 0;
    for (qint64 i = b.s; i <= b.e; ++i) {
        ++counter;
        c[std::size_t(i)] = current;
        if (counter == s.unitSize) {
            current = current == ColorFromName(s.color1) ? other : ColorFromName(s.color1);
            counter = 0;
        }
    }
    return c;
}

Colors naiveMarkPatterns(const ByteBuffer& bytes, const MarkPatternsSettings& s)
{
    Colors c(bytes.size(), kUntouched);
    const Block b = naiveBlock(s.block, qint64(bytes.size()));
    if (s.clearBlock)
        colour(c, b.s, b.e, 0);
    const PatternTexts& t = s.chosen();
    const ByteBuffer H = ParseHexValue(t.header), T = ParseHexValue(t.tail);
    const qint64 hn = qint64(H.size()), tn = qint64(T.size()), N = t.count.trimmed().toLongLong();
    const Rgb c1 = ColorFromName(t.colorNames[0]), c2 = ColorFromName(t.colorNames[1]),
              c3 = ColorFromName(t.colorNames[2]);
    const qint64 e = b.e;
    if (H.empty() || (s.type != PatternType::Type3 && T.empty()))
        return c;
    for (qint64 i = b.s; i + hn - 1 <= e;) {
        if (!at(bytes, i, H, e)) {
            ++i;
            continue;
        }
        if (s.type == PatternType::Type1) {
            const qint64 p = i + hn;
            qint64 j = -1;
            for (qint64 q = p; p <= e && q <= e - tn + 1 && j < 0; ++q)
                if (at(bytes, q, T, e))
                    j = q;
            if (j < 0) {
                ++i;
                continue;
            }
            colour(c, i, p - 1, c1);
            colour(c, p, j - 1, c2);
            colour(c, j, j + tn - 1, c3);
            i = j + tn;
        } else if (s.type == PatternType::Type2) {
            const qint64 tt = i + hn + N;
            if (tt + tn - 1 > e || !at(bytes, tt, T, e)) {
                ++i;
                continue;
            }
            colour(c, i, i + hn - 1, c1);
            colour(c, i + hn, tt - 1, c2);
            colour(c, tt, tt + tn - 1, c3);
            i = tt + tn;
        } else {
            colour(c, i, i + hn - 1, c1);
            const qint64 a = i + hn, f = i + hn + N;
            if (f <= e) {
                colour(c, a, f - 1, c2);
                colour(c, f, f, c3);
                i = f;
            } else {
                colour(c, a, e, c2);
                ++i;
            }
        }
    }
    return c;
}

// ---- Table-driven cases ----

ByteBuffer bytesOf(std::initializer_list<int> values)
{
    ByteBuffer out;
    for (int v : values)
        out.push_back(std::uint8_t(v));
    return out;
}

MarkPatternsSettings patterns(PatternType type, QString header, QString count, QString tail, AddressBlock block,
                              bool clear = false)
{
    MarkPatternsSettings s;
    s.type = type;
    s.clearBlock = clear;
    s.block = block;
    s.chosen() = {header, count, tail, {"Red", "Green", "Blue"}};
    return s;
}

struct PatternCase {
    const char* name;
    ByteBuffer bytes;
    MarkPatternsSettings settings;
    std::string expected;  // R header, G body or tail bytes, B tail or following byte
};

const std::vector<PatternCase>& patternCases()
{
    using enum PatternType;
    static const std::vector<PatternCase> kCases = {
        {"type1 two patterns, the second with no body", bytesOf({0xAA, 1, 2, 0xFF, 0xAA, 0xFF}),
         patterns(Type1, "AA", "", "FF", {0, 5}), "RGGBRB"},
        {"type1 a second header inside the body", bytesOf({0xAA, 1, 0xAA, 2, 0xFF}),
         patterns(Type1, "AA", "", "FF", {0, 4}), "RGGGB"},
        {"type1 multi-byte header and tail", bytesOf({0x12, 0x34, 0, 0x0A, 0xBC}),
         patterns(Type1, "1234", "", " ABC ", {0, 4}), "RRGBB"},
        {"type2 fits", bytesOf({1, 2, 3, 4}), patterns(Type2, "01", "2", "04", {0, 3}), "RGGB"},
        {"type2 N of 0 needs the tail next", bytesOf({1, 4, 1, 2, 4}), patterns(Type2, "01", "0", "04", {0, 4}),
         "RB..."},
        {"type3 following byte is a header", bytesOf({0x7E, 0x10, 0x20, 0x30, 0x7E}),
         patterns(Type3, "7E", "2", "", {0, 4}), "RGGBR"},
        {"type3 headers inside a tail running to the end", bytesOf({0x7E, 1, 0x7E, 2, 3}),
         patterns(Type3, "7E", "9", "", {0, 4}), "RGRGG"},
        {"empty header colours nothing but clears", bytesOf({1, 2, 3}), patterns(Type3, "", "1", "", {0, 1}, true),
         "kk."},
        {"start above end scans the block in order", bytesOf({0xAA, 1, 0xFF, 0xAA}),
         patterns(Type1, "AA", "", "FF", {3, 0}), "RGB."},
    };
    return kCases;
}

TEST(MarkPatternsScan, Cases)
{
    for (const PatternCase& c : patternCases()) {
        const Applied applied = applyScan(scanMarkPatterns, c.bytes, c.settings);
        EXPECT_TRUE(applied.finished) << c.name;
        EXPECT_EQ(letters(applied.colors), c.expected) << c.name;
        EXPECT_EQ(applied.colors, naiveMarkPatterns(c.bytes, c.settings)) << c.name;
        expectMerged(applied.runs);
    }
}

TEST(MarkBytesScan, Cases)
{
    struct Case {
        const char* name;
        ByteBuffer bytes;
        std::array<QString, 4> values;
        AddressBlock block;
        bool clear;
        std::string expected;  // values coloured R, B, G, Y
    };
    const Case kCases[] = {
        {"later value wins", bytesOf({0x41, 0x42}), {"41", "4142", "", ""}, {0, 1}, false, "BB"},
        {"overlapping occurrences", bytesOf({0x41, 0x41, 0x41, 0}), {"4141", "", "", ""}, {0, 3}, false, "RRR."},
        {"odd digit count", bytesOf({0x0A, 0xBC, 0xAB}), {"", "", "ABC", "AB"}, {0, 2}, true, "GGY"},
    };
    for (const Case& c : kCases) {
        MarkBytesSettings s;
        s.values = c.values;
        s.colorNames = {"Red", "Blue", "Green", "Yellow"};
        s.block = c.block;
        s.clearBlock = c.clear;
        const Applied applied = applyScan(scanMarkBytes, c.bytes, s);
        EXPECT_TRUE(applied.finished) << c.name;
        EXPECT_EQ(letters(applied.colors), c.expected) << c.name;
    }
}

TEST(MarkBlocksScan, Cases)
{
    struct Case {
        const char* name;
        std::array<AddressBlock, 3> blocks;
        bool clear;
        std::string expected;  // blocks coloured R, G, B over 20 bytes
    };
    const Case kCases[] = {
        {"later block wins", {{{0, 0xF}, {8, 0x17}, {}}}, false, "RRRRRRRRGGGGGGGGGGGG"},
        {"clearing the file", {{{}, {}, {18, 0xFFFFFFFF}}}, true, "kkkkkkkkkkkkkkkkkkBB"},
        {"blocks past the end are cut or dropped", {{{0x80000000, 0x90000000}, {19, 0x80000000}, {}}}, false,
         "...................G"},
    };
    for (const Case& c : kCases) {
        MarkBlocksSettings s;
        s.blocks = c.blocks;
        s.clearFile = c.clear;
        s.colorNames = {"Red", "Green", "Blue"};
        const Applied applied = applyScan(scanMarkBlocks, ByteBuffer(20), s);
        EXPECT_TRUE(applied.finished) << c.name;
        EXPECT_EQ(letters(applied.colors), c.expected) << c.name;
    }
}

TEST(MarkUnitsScan, Cases)
{
    struct Case {
        const char* name;
        qint32 unit;
        AddressBlock block;
        QString color2;
        std::string expected;
        std::size_t runs;
    };
    const Case kCases[] = {
        {"units count from the block's start", 2, {0x10, 0x14}, "Blue", "................RRBBR", 3},
        {"unit size 0 gives the first colour", 0, {0x10, 0x14}, "Blue", "................RRRRR", 1},
        {"equal colours make one run", 1, {0, 0x14}, "Red", "RRRRRRRRRRRRRRRRRRRRR", 1},
    };
    for (const Case& c : kCases) {
        MarkUnitsSettings s;
        s.unitSize = c.unit;
        s.block = c.block;
        s.clearBlock = false;
        s.color1 = "Red";
        s.color2 = c.color2;
        const Applied applied = applyScan(scanMarkUnits, ByteBuffer(21), s);
        EXPECT_TRUE(applied.finished) << c.name;
        EXPECT_EQ(letters(applied.colors), c.expected) << c.name;
        EXPECT_EQ(applied.runs.size(), c.runs) << c.name;
    }
}

// ---- Oracles over seeded random bytes and settings ----

class RandomCases {
public:
    explicit RandomCases(unsigned seed) : m_random(seed) {}

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
        return out.size() > 8 ? out.left(8) : out;
    }
    QString colorName()
    {
        static const char* kNames[] = {"Red", "Blue", "Green", "Black", "", "red", "Yellow Gold"};
        return QLatin1String(kNames[below(7)]);
    }
    AddressBlock block(qint64 size)
    {
        const auto address = [&] { return below(6) == 0 ? qint64(-1) : qint64(below(int(size) + 3)); };
        return {address(), address()};
    }
    bool coin() { return below(2) == 0; }

private:
    std::mt19937 m_random;
};

template <typename Settings, typename Scan, typename Naive, typename Make>
void compareWithOracle(Scan scan, Naive naive, Make make, int rounds, int maxSize)
{
    RandomCases random(7);
    for (int round = 0; round < rounds; ++round) {
        const ByteBuffer bytes = random.bytes(maxSize);
        const Settings settings = make(random, qint64(bytes.size()));
        const Applied applied = applyScan(scan, bytes, settings);
        ASSERT_TRUE(applied.finished) << "round " << round;
        ASSERT_EQ(applied.colors, naive(bytes, settings)) << "round " << round;
        expectMerged(applied.runs);
    }
}

MarkBytesSettings randomMarkBytes(RandomCases& random, qint64 size)
{
    MarkBytesSettings s;
    for (int v = 0; v < 4; ++v) {
        s.values[v] = random.value();
        s.colorNames[v] = random.colorName();
    }
    s.clearBlock = random.coin();
    s.block = random.block(size);
    return s;
}

MarkBlocksSettings randomMarkBlocks(RandomCases& random, qint64 size)
{
    MarkBlocksSettings s;
    for (int k = 0; k < 3; ++k) {
        s.blocks[k] = random.block(size);
        s.colorNames[k] = random.colorName();
    }
    s.clearFile = random.coin();
    return s;
}

MarkUnitsSettings randomMarkUnits(RandomCases& random, qint64 size)
{
    MarkUnitsSettings s;
    s.unitSize = random.below(6);
    s.color1 = random.colorName();
    s.color2 = random.colorName();
    s.clearBlock = random.coin();
    s.block = random.block(size);
    return s;
}

MarkPatternsSettings randomMarkPatterns(RandomCases& random, qint64 size)
{
    MarkPatternsSettings s;
    s.type = PatternType(random.below(3));
    s.chosen() = {random.value(), QString::number(random.below(5)), random.value(),
                  {random.colorName(), random.colorName(), random.colorName()}};
    s.clearBlock = random.coin();
    s.block = random.block(size);
    return s;
}

TEST(MarkScansOracle, MarkBytes)
{
    compareWithOracle<MarkBytesSettings>(scanMarkBytes, naiveMarkBytes, randomMarkBytes, 3000, 120);
}

TEST(MarkScansOracle, MarkBlocks)
{
    compareWithOracle<MarkBlocksSettings>(scanMarkBlocks, naiveMarkBlocks, randomMarkBlocks, 3000, 120);
}

TEST(MarkScansOracle, MarkUnits)
{
    compareWithOracle<MarkUnitsSettings>(scanMarkUnits, naiveMarkUnits, randomMarkUnits, 3000, 120);
}

TEST(MarkScansOracle, MarkPatterns)
{
    compareWithOracle<MarkPatternsSettings>(scanMarkPatterns, naiveMarkPatterns, randomMarkPatterns, 6000, 120);
}

// Blocks that span several of the pieces the scans read, so that values and
// patterns straddle the pieces' edges.
TEST(MarkScansOracle, AcrossPieces)
{
    compareWithOracle<MarkBytesSettings>(scanMarkBytes, naiveMarkBytes, randomMarkBytes, 12, 70000);
    compareWithOracle<MarkPatternsSettings>(scanMarkPatterns, naiveMarkPatterns, randomMarkPatterns, 24, 70000);
}

// The written Type1 search restarts after every header without a tail; the
// scan stops at the first one instead. Same colours, and a long run of headers
// with no tail ends.
TEST(MarkPatternsScan, HeadersWithoutTailEndTheTypeOneScan)
{
    ByteBuffer bytes(1 << 20, 0xAA);
    bytes[10] = 0xFF;
    const MarkPatternsSettings s = patterns(PatternType::Type1, "AA", "", "FF", {0, qint64(bytes.size()) - 1});
    const Applied applied = applyScan(scanMarkPatterns, bytes, s);
    EXPECT_TRUE(applied.finished);
    EXPECT_EQ(letters(Colors(applied.colors.begin(), applied.colors.begin() + 13)), "RGGGGGGGGGB..");
    EXPECT_EQ(applied.colors.back(), kUntouched);
}

// ---- Stopping ----

struct StopCase {
    const char* name;
    std::function<bool(const ByteModel&, const StopFlag&, const MarkSink&)> scan;
};

std::vector<StopCase> stopCases()
{
    MarkBytesSettings bytes;
    bytes.values[0] = "AA";
    bytes.colorNames[0] = "Red";
    bytes.block = {0, 0xFFFFF};
    MarkUnitsSettings units;
    units.color1 = "Red";
    units.block = {0, 0xFFFFF};
    MarkBlocksSettings blocks;
    blocks.blocks = {{{0, 5}, {10, 20}, {30, 40}}};
    blocks.colorNames = {"Red", "Blue", "Red"};
    blocks.clearFile = false;
    const MarkPatternsSettings type3 = patterns(PatternType::Type3, "AA", "1", "", {0, 0xFFFFF});
    return {
        {"Mark Bytes", [=](auto& m, auto& f, auto& s) { return scanMarkBytes(m, bytes, f, s); }},
        {"Mark Units", [=](auto& m, auto& f, auto& s) { return scanMarkUnits(m, units, f, s); }},
        {"Mark Blocks", [=](auto& m, auto& f, auto& s) { return scanMarkBlocks(m, blocks, f, s); }},
        {"Mark Patterns", [=](auto& m, auto& f, auto& s) { return scanMarkPatterns(m, type3, f, s); }},
    };
}

/// Every other byte AA, so each scan has many runs to hand on.
ByteModel& alternatingModel()
{
    static ByteModel model;
    if (model.isEmpty()) {
        ByteBuffer bytes(1 << 20);
        for (std::size_t i = 0; i < bytes.size(); i += 2)
            bytes[i] = 0xAA;
        model.assign(std::move(bytes));
    }
    return model;
}

// A stop from the sink ends the scan at once; a stop before it colours nothing but the file clearing.
TEST(MarkScans, AStopEndsTheScanAtOnce)
{
    for (const StopCase& c : stopCases()) {
        StopFlag stop{false};
        int runs = 0;
        EXPECT_FALSE(c.scan(alternatingModel(), stop, [&](const MarkRun&) {
            if (++runs == 2)
                stop = true;
        })) << c.name;
        EXPECT_EQ(runs, 2) << c.name;
        EXPECT_FALSE(c.scan(alternatingModel(), stop, [&](const MarkRun&) { ++runs; })) << c.name;
        EXPECT_EQ(runs, 2) << c.name;
    }
    MarkBlocksSettings clearing;
    clearing.blocks[0] = {0, 3};
    StopFlag stop{true};
    std::vector<MarkRun> runs;
    EXPECT_FALSE(scanMarkBlocks(alternatingModel(), clearing, stop, [&](const MarkRun& r) { runs.push_back(r); }));
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
