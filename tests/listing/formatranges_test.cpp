#include "listing/formatranges.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

// The deliberately naive store: one format per character.
class NaiveFormats {
public:
    explicit NaiveFormats(TextPos length) : m_chars(size_t(length)) {}

    void setColor(TextRange r, Rgb c)
    {
        for (TextPos i = r.start; i < r.end; ++i)
            m_chars[size_t(i)].color = c;
    }
    void setUnderline(TextRange r, bool u)
    {
        for (TextPos i = r.start; i < r.end; ++i)
            m_chars[size_t(i)].underline = u;
    }
    void replace(TextRange r, TextPos newLength)
    {
        const TextPos source = r.start == r.end ? r.start - 1 : r.start;
        const CharFormat inserted = source < 0 ? CharFormat{} : m_chars[size_t(source)];
        m_chars.erase(m_chars.begin() + r.start, m_chars.begin() + r.end);
        m_chars.insert(m_chars.begin() + r.start, size_t(newLength), inserted);
    }
    void clear() { m_chars.assign(m_chars.size(), CharFormat{}); }

    TextPos length() const { return TextPos(m_chars.size()); }
    CharFormat at(TextPos pos) const { return m_chars[size_t(pos)]; }
    std::vector<FormatRun> runs(TextRange r) const
    {
        std::vector<FormatRun> out;
        for (TextPos i = r.start; i < r.end; ++i) {
            if (!out.empty() && out.back().format == at(i))
                ++out.back().range.end;
            else
                out.push_back({{i, i + 1}, at(i)});
        }
        return out;
    }

private:
    std::vector<CharFormat> m_chars;
};

TextRange randomRange(std::mt19937& rng, TextPos length)
{
    std::uniform_int_distribution<TextPos> pos(0, length);
    TextPos a = pos(rng);
    TextPos b = pos(rng);
    return {std::min(a, b), std::max(a, b)};
}

void expectSame(const FormatRanges& real, const NaiveFormats& naive, TextRange probe, int step)
{
    for (TextPos i = 0; i < naive.length(); ++i)
        ASSERT_EQ(real.formatAt(i), naive.at(i)) << "position " << i << " after step " << step;
    ASSERT_EQ(real.runs({0, naive.length()}), naive.runs({0, naive.length()})) << "step " << step;
    ASSERT_EQ(real.runs(probe), naive.runs(probe)) << "step " << step;
    for (TextPos i = probe.start; i < probe.end; ++i) {
        const FormatRun run = real.runAt(i);
        ASSERT_LE(run.range.start, i);
        ASSERT_GT(run.range.end, i);
        ASSERT_EQ(run.format, naive.at(i));
        if (run.range.start > 0) {
            ASSERT_NE(naive.at(run.range.start - 1), run.format) << "run at " << i << " is not maximal";
        }
        if (run.range.end < naive.length()) {
            ASSERT_NE(naive.at(run.range.end), run.format) << "run at " << i << " is not maximal";
        }
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
            const TextRange r = randomRange(rng, naive.length());
            switch (rng() % 10) {
            case 0: case 1: case 2: case 3: {
                const Rgb c = palette[rng() % 4];
                real.setColor(r, c);
                naive.setColor(r, c);
                break;
            }
            case 4: case 5: case 6: {
                const bool u = rng() % 2;
                real.setUnderline(r, u);
                naive.setUnderline(r, u);
                break;
            }
            case 7: case 8: {
                // Keep the text between 1 and 250 characters.
                const TextPos newLength = TextPos(rng() % 12);
                if (naive.length() - (r.end - r.start) + newLength < 1 || naive.length() + newLength > 250)
                    break;
                real.replace(r, newLength);
                naive.replace(r, newLength);
                break;
            }
            default:
                if (rng() % 8 == 0) {
                    real.clear();
                    naive.clear();
                }
            }
            expectSame(real, naive, randomRange(rng, naive.length()), step);
        }
    }
}

TEST(FormatRanges, EmptyUntilSomethingDiffersFromDefault)
{
    FormatRanges f;
    EXPECT_TRUE(f.isEmpty());
    f.setColor({0, 10}, kDefaultTextColor);
    f.setUnderline({3, 4}, false);
    EXPECT_TRUE(f.isEmpty());
    f.setColor({2, 5}, 0xFF0000);
    EXPECT_FALSE(f.isEmpty());
    f.setColor({0, 10}, kDefaultTextColor);
    EXPECT_TRUE(f.isEmpty());
    f.setUnderline({0, 3}, true);
    f.clear();
    EXPECT_TRUE(f.isEmpty());
}

// Rarely drawn by the random edits: text put in front of a formatted start.
TEST(FormatRanges, InsertionAtStartTakesDefaultFormat)
{
    FormatRanges f;
    f.setColor({0, 4}, 0x0000FF);
    f.replace({0, 0}, 3);
    EXPECT_EQ(f.formatAt(0).color, kDefaultTextColor);
    EXPECT_EQ(f.formatAt(3).color, 0x0000FFu);
    EXPECT_EQ(f.formatAt(7).color, kDefaultTextColor);
}
