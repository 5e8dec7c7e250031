#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "hexdoc/bytemarklayer.h"
#include "hexdoc/bytemarks.h"
#include "hexdoc/listingprefixes.h"
#include "hexdoc/rungatherer.h"

namespace {

TEST(ByteMarks, FollowsAPlainArrayOfColours)
{
    // Seeded random colourings, page boundaries included, against one colour per byte.
    constexpr ByteOffset kSize = 300000;
    const Rgb palette[] = {kDefaultTextColor, 0xFF0000, 0x0000FF, 0x00FF00};
    std::mt19937 random(11);
    ByteMarks marks;
    std::vector<Rgb> expected(std::size_t(kSize), kDefaultTextColor);
    for (int step = 0; step < 400; ++step) {
        const ByteOffset a = ByteOffset(random() % kSize);
        const ByteOffset b = std::min<ByteOffset>(kSize - 1, a + ByteOffset(random() % 70000));
        const Rgb color = palette[random() % 4];
        std::fill(expected.begin() + a, expected.begin() + b + 1, color);
        if (step % 2) {
            marks.color(a, b, color);
        } else {
            // The batch path, with short runs inside pages and a run across them.
            const AlternatingRun runs[] = {AlternatingRun::plain({a, b, color}),
                                           AlternatingRun::plain({a, std::min(b, a + 1), palette[step % 4]})};
            marks.apply(runs);
            expected[std::size_t(a)] = palette[step % 4];
            if (b > a)
                expected[std::size_t(a + 1)] = palette[step % 4];
        }
        for (int probe = 0; probe < 50; ++probe) {
            const ByteOffset at = ByteOffset(random() % kSize);
            ASSERT_EQ(marks.colorAt(at), expected[std::size_t(at)]) << "step " << step << " at " << at;
        }
    }
    marks.clear();
    EXPECT_TRUE(marks.isEmpty());
    EXPECT_EQ(marks.colorAt(12345), kDefaultTextColor);
}

TEST(RunGatherer, GatheredRunsColourAsTheRunsOneByOne)
{
    // Seeded scans of alternating units, plain runs and breaks in the pattern,
    // gathered and applied, against the same runs applied one at a time.
    std::mt19937 random(3);
    const Rgb palette[] = {0xFF0000, 0x0000FF, 0x00FF00, kDefaultTextColor};
    for (int round = 0; round < 50; ++round) {
        std::vector<MarkRun> runs;
        for (ByteOffset at = ByteOffset(random() % 5); at < 200000;) {
            const qint64 unit = 1 + qint64(random() % 4);
            const int units = int(random() % 3000);
            const Rgb a = palette[random() % 4];
            const Rgb b = palette[random() % 4];
            for (int k = 0; k < units; ++k, at += unit)
                runs.push_back({at, at + unit - 1, k % 2 ? b : a});
            at += qint64(random() % 3);
        }
        ByteMarks expected;
        for (const MarkRun& run : runs)
            expected.color(run.first, run.last, run.color);
        ByteMarks gathered;
        int batches = 0;
        RunGatherer gatherer(64, [&](RunGatherer::Batch& batch) {
            gathered.apply(batch);
            ++batches;
        });
        for (const MarkRun& run : runs)
            gatherer.add(run);
        gatherer.finish();
        for (ByteOffset at = 0; at < runs.back().last + 2; ++at)
            ASSERT_EQ(gathered.colorAt(at), expected.colorAt(at)) << "round " << round << " at " << at;
        EXPECT_GT(batches, 0);
    }
}

TEST(ByteMarks, ClearingWhereNothingIsMarkedAllocatesNothing)
{
    ByteMarks marks;
    marks.color(0, (ByteOffset(1) << 32) - 1, kDefaultTextColor);
    EXPECT_TRUE(marks.isEmpty());
    EXPECT_EQ(marks.colorAt(-1), kDefaultTextColor);
}

TEST(ByteMarkLayer, ColoursEachMarkedBytesDigitsAndCharacterCell)
{
    const HexLayout layout(ListingPrefix::plainView().size());
    ByteMarks marks;
    marks.color(7, 9, 0xFF0000);  // across the double gap between byte 7 and byte 8
    const ByteMarkLayer layer(layout, marks);
    std::vector<ColoredRange> runs;
    layer.colorRuns({0, layout.JoinPosition(2, 0)}, runs);
    auto at = [&layout](int column) { return layout.JoinPosition(0, column); };
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_EQ(runs[0].range, (TextRange{at(30), at(32)}));  // byte 7's digits, not the space after
    EXPECT_EQ(runs[1].range, (TextRange{at(34), at(36)}));
    EXPECT_EQ(runs[2].range, (TextRange{at(37), at(39)}));
    EXPECT_EQ(runs[3].range, (TextRange{at(67), at(70)}));  // three character cells in one run
    for (const ColoredRange& run : runs)
        EXPECT_EQ(run.color, 0xFF0000u);

    runs.clear();
    layer.colorRuns({at(35), at(68)}, runs);  // a range that cuts runs
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs.front().range, (TextRange{at(35), at(36)}));
    EXPECT_EQ(runs.back().range, (TextRange{at(67), at(68)}));
}

}  // namespace
