// The listing text against a naive listing, its colour layer of byte marks,
// and the parser of imported hex values.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "hexdoc/bytemarklayer.h"
#include "hexdoc/bytemarks.h"
#include "hexdoc/hexlistingtext.h"
#include "hexdoc/hexvaluesparser.h"
#include "hexdoc/listingexport.h"
#include "hexdoc/listingprefixes.h"
#include "hexdoc/rungatherer.h"
#include "support/bytemodelof.h"
#include "support/naivelisting.h"

namespace {

/// Random bytes, the last spaces of them 0x20 (trimmed from the listing's end).
ByteBuffer randomBytes(std::size_t size, unsigned seed, std::size_t spaces = 0)
{
    std::mt19937 random(seed);
    ByteBuffer bytes(size);
    for (auto& byte : bytes)
        byte = std::uint8_t(random());
    std::fill(bytes.end() - std::ptrdiff_t(std::min(spaces, size)), bytes.end(), 0x20);
    return bytes;
}

TEST(ListingPrefixes, Texts)
{
    const QByteArray header = "Address: 00 01 02 03 04 05 06 07  08 09 0A 0B 0C 0D 0E 0F   0123456789ABCDEF\n";
    EXPECT_EQ(ListingPrefix::plainView(), header);
    EXPECT_EQ(ListingPrefix::sendPane(),
              "------------------------- Data Sending Pane --------------------------------\n\n" + header);
    EXPECT_EQ(ListingPrefix::receivePane(),
              "------------------------- Data Receiving Pane ------------------------------\n\n" + header);
    EXPECT_EQ(ListingPrefix::comparePane(), "\n" + header + QByteArray(77, ' '));
}

// Every prefix with buffers of every shape of last line, against the naive
// listing: the whole text, each line's start, the line of every position, and
// random windows appended to what a buffer already holds.
TEST(HexListingText, MatchesTheNaiveListing)
{
    std::vector<ByteBuffer> buffers{randomBytes(40, 9, 20)};
    for (std::size_t size : {0u, 1u, 15u, 16u, 17u, 40u, 48u, 4103u}) {
        buffers.push_back(randomBytes(size, unsigned(size) + 1));
        buffers.push_back(randomBytes(size, 7, size % 3 ? 3 : 16));
        buffers.push_back(ByteBuffer(size, 0x20));
    }
    std::mt19937 random(2024);
    for (const QByteArray& prefix : {ListingPrefix::plainView(), ListingPrefix::sendPane(),
                                     ListingPrefix::receivePane(), ListingPrefix::comparePane()}) {
        for (const ByteBuffer& bytes : buffers) {
            SCOPED_TRACE(prefix.left(40).toStdString() + ", size " + std::to_string(bytes.size()));
            const auto model = modelOf(bytes);
            const HexListingText listing(prefix, *model);
            const QByteArray expected = naiveListing(prefix, bytes);
            ASSERT_EQ(listing.text(0, listing.length()), expected);
            qint64 line = 0;
            for (TextPos pos = 0; pos <= expected.size(); ++pos) {
                if (pos > 0 && expected[pos - 1] == '\n') {
                    ASSERT_EQ(listing.lineStart(++line), pos);
                }
                ASSERT_EQ(listing.lineOfPosition(pos), line) << "position " << pos;
            }
            ASSERT_EQ(listing.lineCount(), line + 1);
            for (int i = 0; i < 100; ++i) {
                TextPos from = TextPos(random() % std::uint32_t(expected.size() + 1));
                TextPos to = TextPos(random() % std::uint32_t(expected.size() + 1));
                if (from > to)
                    std::swap(from, to);
                QByteArray out("kept");
                listing.appendText(from, to, out);
                ASSERT_EQ(out, "kept" + expected.mid(from, to - from)) << "window " << from << ".." << to;
            }
        }
    }
}

TEST(HexListingText, ReplaceAcceptsOnlyTheCurrentText)
{
    const auto model = modelOf(randomBytes(40, 3));
    HexListingText listing(ListingPrefix::sendPane(), *model);
    const HexPositions hex = listing.layout().HexPositionOfOffset(0x21);
    const QByteArray digits = listing.text(hex.first, hex.second + 1);
    EXPECT_TRUE(listing.replace(hex.first, hex.second + 1, digits));
    EXPECT_FALSE(listing.replace(hex.first, hex.second + 1, digits == "22" ? "23" : "22"));
    EXPECT_FALSE(listing.replace(hex.first, hex.second + 1, "2"));
    EXPECT_TRUE(listing.replace(0, listing.length(), listing.text(0, listing.length())));
    EXPECT_FALSE(listing.replace(listing.length(), listing.length() + 1, " "));
}

// Bytes changed in place read at once; the last line's trimmed spaces come back
// when their bytes change, as in a fresh listing.
TEST(HexListingText, FollowsBytesChangedInPlace)
{
    const auto model = modelOf({0x78, 0x78, 0x20, 0x20});
    HexListingText listing(ListingPrefix::plainView(), *model);
    EXPECT_TRUE(listing.text(0, listing.length()).endsWith("xx"));
    for (const std::uint8_t value : {std::uint8_t(0x43), std::uint8_t(0x20), std::uint8_t(0x00)}) {
        model->setBytes(3, std::span(&value, 1));
        const TextRange changed = listing.bytesChanged(3, 3);
        const HexListingText fresh(ListingPrefix::plainView(), *model);
        EXPECT_EQ(listing.text(0, listing.length()), fresh.text(0, fresh.length())) << int(value);
        EXPECT_LE(changed.start, listing.layout().HexPositionOfOffset(3).first);
    }
    EXPECT_TRUE(listing.text(0, listing.length()).endsWith("xx ."));
    EXPECT_EQ(listing.layout().initialCaret(), 87);
}

TEST(WriteListing, StreamsTheWholeTextInChunksUntilTheSinkRefuses)
{
    const ByteBuffer bytes = randomBytes(std::size_t(3) << 20, 5);
    const auto listingModel = modelOf(bytes);
    const HexListingText listing(ListingPrefix::plainView(), *listingModel);
    QByteArray written;
    int chunks = 0;
    EXPECT_TRUE(writeListing(listing, [&](const char* data, std::size_t size) {
        written.append(data, qsizetype(size));
        return ++chunks > 0;
    }));
    EXPECT_GT(chunks, 1);
    EXPECT_EQ(written, naiveListing(ListingPrefix::plainView(), bytes));
    chunks = 0;
    EXPECT_FALSE(writeListing(listing, [&](const char*, std::size_t) { return ++chunks < 0; }));
    EXPECT_EQ(chunks, 1);
}

const Rgb kPalette[] = {kDefaultTextColor, 0xFF0000, 0x0000FF, 0x00FF00};

TEST(ByteMarks, FollowsAPlainArrayOfColours)
{
    // Seeded random colourings, page boundaries included, against one colour per byte.
    constexpr ByteOffset kSize = 300000;
    std::mt19937 random(11);
    ByteMarks marks;
    std::vector<Rgb> expected(std::size_t(kSize), kDefaultTextColor);
    for (int step = 0; step < 400; ++step) {
        const ByteOffset a = ByteOffset(random() % kSize);
        const ByteOffset b = std::min<ByteOffset>(kSize - 1, a + ByteOffset(random() % 70000));
        const Rgb color = kPalette[random() % 4];
        std::fill(expected.begin() + a, expected.begin() + b + 1, color);
        if (step % 2) {
            marks.color(a, b, color);
        } else {
            // The batch path, with short runs inside pages and a run across them.
            const AlternatingRun runs[] = {AlternatingRun::plain({a, b, color}),
                                           AlternatingRun::plain({a, std::min(b, a + 1), kPalette[step % 4]})};
            marks.apply(runs);
            std::fill(expected.begin() + a, expected.begin() + std::min(b, a + 1) + 1, kPalette[step % 4]);
        }
        for (int probe = 0; probe < 50; ++probe) {
            const ByteOffset at = ByteOffset(random() % kSize);
            ASSERT_EQ(marks.colorAt(at), expected[std::size_t(at)]) << "step " << step << " at " << at;
        }
    }
    marks.clear();
    EXPECT_TRUE(marks.isEmpty());
    // Clearing where nothing is marked allocates nothing.
    marks.color(0, (ByteOffset(1) << 32) - 1, kDefaultTextColor);
    EXPECT_TRUE(marks.isEmpty());
    EXPECT_EQ(marks.colorAt(-1), kDefaultTextColor);
}

TEST(RunGatherer, GatheredRunsColourAsTheRunsOneByOne)
{
    // Seeded scans of alternating units, plain runs and breaks in the pattern,
    // gathered and applied, against the same runs applied one at a time.
    std::mt19937 random(3);
    for (int round = 0; round < 50; ++round) {
        std::vector<MarkRun> runs;
        for (ByteOffset at = ByteOffset(random() % 5); at < 200000; at += qint64(random() % 3)) {
            const qint64 unit = 1 + qint64(random() % 4);
            const int units = int(random() % 3000);
            const Rgb colors[] = {kPalette[random() % 4], kPalette[random() % 4]};
            for (int k = 0; k < units; ++k, at += unit)
                runs.push_back({at, at + unit - 1, colors[k % 2]});
        }
        ByteMarks expected;
        ByteMarks gathered;
        RunGatherer gatherer(64, [&gathered](RunGatherer::Batch& batch) { gathered.apply(batch); });
        for (const MarkRun& run : runs) {
            expected.color(run.first, run.last, run.color);
            gatherer.add(run);
        }
        gatherer.finish();
        for (ByteOffset at = 0; at < runs.back().last + 2; ++at)
            ASSERT_EQ(gathered.colorAt(at), expected.colorAt(at)) << "round " << round << " at " << at;
    }
}

TEST(ByteMarkLayer, ColoursEachMarkedBytesDigitsAndCharacterCell)
{
    const HexLayout layout(ListingPrefix::plainView().size());
    ByteMarks marks;
    marks.color(7, 9, 0xFF0000);  // across the double gap between byte 7 and byte 8
    const ByteMarkLayer layer(layout, marks);
    auto runsIn = [&layer](TextRange range) {
        std::vector<ColoredRange> runs;
        layer.colorRuns(range, runs);
        std::vector<TextRange> ranges;
        for (const ColoredRange& run : runs)
            ranges.push_back(run.color == 0xFF0000u ? run.range : TextRange{});
        return ranges;
    };
    auto at = [&layout](int column) { return layout.JoinPosition(0, column); };
    // Byte 7's digits, not the space after; three character cells in one run.
    EXPECT_EQ(runsIn({0, layout.JoinPosition(2, 0)}), (std::vector<TextRange>{{at(30), at(32)}, {at(34), at(36)},
                                                                              {at(37), at(39)}, {at(67), at(70)}}));
    EXPECT_EQ(runsIn({at(35), at(68)}), (std::vector<TextRange>{{at(35), at(36)}, {at(37), at(39)}, {at(67), at(68)}}));
}

/// The import rule read one character at a time, pairs read back with "%X".
ByteBuffer naiveImport(const std::string& text)
{
    ByteBuffer out{0x99};
    std::string pending;
    for (const char ch : text) {
        if (!std::isxdigit(static_cast<unsigned char>(ch))) {
            pending.clear();
        } else if ((pending += ch).size() == 2) {
            unsigned value = 0;
            std::sscanf(pending.c_str(), "%X", &value);
            out.push_back(std::uint8_t(value));
            pending.clear();
        }
    }
    return out;
}

// Texts of hex digits in both cases and every other byte value, fed in random
// chunks (empty ones included), against the rule; a digit pending at the end of
// one text is dropped at finish and not paired with the next text's first.
TEST(HexValuesParser, RandomChunksMatchTheNaiveRule)
{
    const std::string digits = "0123456789abcdefABCDEF";
    std::mt19937 random(77);
    HexValuesParser parser;
    for (int round = 0; round < 300; ++round) {
        std::string text(random() % 400, ' ');
        for (char& ch : text)
            ch = random() % 4 ? digits[random() % digits.size()] : char(random() % 256);
        ByteBuffer out{0x99};
        for (std::size_t pos = 0, size = 0; pos < text.size(); pos += size) {
            size = std::min<std::size_t>(random() % 5, text.size() - pos);
            parser.feed(text.data() + pos, size, out);
        }
        parser.finish();
        ASSERT_EQ(out, naiveImport(text)) << "text: " << text;
    }
}

}  // namespace
