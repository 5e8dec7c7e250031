#include "listing/formatranges.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

/// The deliberately naive store: one format per character.
using NaiveFormats = std::vector<CharFormat>;

std::vector<FormatRun> naiveRuns(const NaiveFormats& naive, TextRange r)
{
    std::vector<FormatRun> out;
    for (TextPos i = r.start; i < r.end; ++i) {
        if (!out.empty() && out.back().format == naive[size_t(i)])
            ++out.back().range.end;
        else
            out.push_back({{i, i + 1}, naive[size_t(i)]});
    }
    return out;
}

TextRange randomRange(std::mt19937& rng, TextPos length)
{
    std::uniform_int_distribution<TextPos> pos(0, length);
    const TextPos a = pos(rng);
    const TextPos b = pos(rng);
    return {std::min(a, b), std::max(a, b)};
}

void expectSame(const FormatRanges& real, const NaiveFormats& naive, TextRange probe, int step)
{
    const TextPos length = TextPos(naive.size());
    ASSERT_EQ(real.runs({0, length}), naiveRuns(naive, {0, length})) << "step " << step;
    ASSERT_EQ(real.runs(probe), naiveRuns(naive, probe)) << "step " << step;
    ASSERT_EQ(real.isEmpty(), naiveRuns(naive, {0, length}).size() == 1 && naive[0] == CharFormat{});
    for (TextPos i = probe.start; i < probe.end; ++i) {
        // The run at a position is the longest one around it.
        const FormatRun run = real.runAt(i);
        ASSERT_EQ(real.formatAt(i), naive[size_t(i)]) << "position " << i << " after step " << step;
        ASSERT_TRUE(run.range.start <= i && run.range.end > i && run.format == naive[size_t(i)]);
        ASSERT_TRUE(run.range.start == 0 || naive[size_t(run.range.start - 1)] != run.format);
        ASSERT_TRUE(run.range.end >= length || naive[size_t(run.range.end)] != run.format);
    }
}

}  // namespace

TEST(FormatRangesOracle, RandomEditsMatchPerCharacterArray)
{
    const Rgb palette[] = {kDefaultTextColor, 0xFF0000, 0x00FF00, 0x0000FF};
    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::mt19937 rng(seed);
        NaiveFormats naive(120);
        FormatRanges real;
        for (int step = 0; step < 300; ++step) {
            // Text put in front of the start, rarely drawn otherwise, takes the default format.
            const TextRange r = rng() % 16 ? randomRange(rng, TextPos(naive.size())) : TextRange{0, 0};
            const unsigned kind = rng() % 10;
            const Rgb color = palette[rng() % 4];
            const TextPos newLength = TextPos(rng() % 12);
            const TextPos lengthAfter = TextPos(naive.size()) - (r.end - r.start) + newLength;
            for (TextPos i = r.start; kind < 7 && i < r.end; ++i) {
                if (kind < 4)
                    naive[size_t(i)].color = color;
                else
                    naive[size_t(i)].underline = color & 1;
            }
            if (kind < 4) {
                real.setColor(r, color);
            } else if (kind < 7) {
                real.setUnderline(r, color & 1);
            } else if (kind < 9 && lengthAfter >= 1 && lengthAfter <= 250) {
                // Keeps the text between 1 and 250 characters.
                const TextPos source = r.start == r.end ? r.start - 1 : r.start;
                const CharFormat inserted = source < 0 ? CharFormat{} : naive[size_t(source)];
                naive.erase(naive.begin() + r.start, naive.begin() + r.end);
                naive.insert(naive.begin() + r.start, size_t(newLength), inserted);
                real.replace(r, newLength);
            } else if (kind == 9 && rng() % 8 == 0) {
                naive.assign(naive.size(), CharFormat{});
                real.clear();
            }
            expectSame(real, naive, randomRange(rng, TextPos(naive.size())), step);
        }
    }
}
