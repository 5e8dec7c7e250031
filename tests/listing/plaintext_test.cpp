#include "listing/plaintext.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Line starts recomputed from scratch: what the incremental update must equal.
std::vector<TextPos> naiveLineStarts(const QByteArray& text)
{
    std::vector<TextPos> starts{0};
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '\n')
            starts.push_back(i + 1);
    }
    return starts;
}

void expectLineModel(const PlainText& plain, const QByteArray& text, const std::string& where)
{
    const std::vector<TextPos> starts = naiveLineStarts(text);
    ASSERT_EQ(plain.length(), text.size()) << where;
    ASSERT_EQ(plain.lineCount(), qint64(starts.size())) << where;
    for (size_t line = 0; line < starts.size(); ++line)
        ASSERT_EQ(plain.lineStart(qint64(line)), starts[line]) << where << " line " << line;
    for (TextPos pos = 0; pos <= text.size(); ++pos) {
        const qint64 line = plain.lineOfPosition(pos);
        ASSERT_LE(plain.lineStart(line), pos) << where << " pos " << pos;
        ASSERT_TRUE(line + 1 == plain.lineCount() || plain.lineStart(line + 1) > pos) << where << " pos " << pos;
    }
    ASSERT_EQ(plain.text(0, plain.length()), text) << where;
}

}  // namespace

TEST(PlainText, LineModelTable)
{
    struct Row {
        const char* text;
        qint64 lines;
        std::vector<qint64> lengths;
    };
    const Row rows[] = {
        {"", 1, {0}},
        {"abc", 1, {3}},
        {"\n", 2, {0, 0}},
        {"ab\ncd", 2, {2, 2}},
        {"ab\n\ncd\n", 4, {2, 0, 2, 0}},
    };
    for (const Row& row : rows) {
        PlainText plain{QByteArray(row.text)};
        ASSERT_EQ(plain.lineCount(), row.lines) << '"' << row.text << '"';
        for (qint64 line = 0; line < row.lines; ++line)
            EXPECT_EQ(plain.lineLength(line), row.lengths[size_t(line)]) << '"' << row.text << "\" line " << line;
        expectLineModel(plain, row.text, row.text);
    }
}

TEST(PlainTextOracle, RandomReplacementsKeepLineStarts)
{
    const char alphabet[] = "ab\n";
    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::mt19937 rng(seed);
        QByteArray text("one\ntwo\n\nthree");
        PlainText plain(text);
        for (int step = 0; step < 200; ++step) {
            std::uniform_int_distribution<TextPos> pos(0, text.size());
            TextPos from = pos(rng);
            TextPos to = pos(rng);
            if (from > to)
                std::swap(from, to);
            QByteArray inserted;
            for (unsigned n = rng() % 6; n > 0; --n)
                inserted.append(alphabet[rng() % 3]);
            if (text.size() + inserted.size() > 200)
                continue;
            ASSERT_TRUE(plain.replace(from, to, inserted));
            text.replace(from, to - from, inserted);
            expectLineModel(plain, text, "seed " + std::to_string(seed) + " step " + std::to_string(step));
        }
    }
}
