#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "hexdoc/bytemarklayer.h"
#include "hexdoc/bytemarks.h"
#include "hexdoc/listingprefixes.h"
#include "hexdoc/rungatherer.h"

namespace {

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

}  // namespace
