#include "listing/textboundaries.h"

#include <gtest/gtest.h>

#include "listing/plaintext.h"

namespace {

// "0000010  41 42" then "ab_c, d"
const PlainText kText{QByteArray("0000010  41 42\nab_c, d")};

}  // namespace

TEST(TextBoundaries, WordAtTable)
{
    struct Row {
        TextPos pos;
        TextRange word;
    };
    const Row rows[] = {
        {0, {0, 7}}, {6, {0, 7}}, {7, {7, 9}}, {9, {9, 11}}, {14, {14, 14}}, {15, {15, 19}}, {19, {19, 20}},
        {22, {22, 22}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(TextBoundaries::wordAt(kText, row.pos), row.word) << "pos " << row.pos;
}

TEST(TextBoundaries, WordStepsTable)
{
    struct Row {
        TextPos pos;
        TextPos next;
        TextPos previous;
    };
    const Row rows[] = {
        {0, 9, 0},     // first word; nothing before the text
        {7, 9, 0},     // in the blanks
        {12, 14, 9},   // at the start of "42"
        {14, 15, 12},  // a line's end steps over its break
        {15, 19, 14},  // a line's start steps back to the previous line's end
        {19, 21, 15},  // punctuation is a word of its own
        {22, 22, 21},  // the text's end
    };
    for (const Row& row : rows) {
        EXPECT_EQ(TextBoundaries::nextWordStart(kText, row.pos), row.next) << "pos " << row.pos;
        EXPECT_EQ(TextBoundaries::previousWordStart(kText, row.pos), row.previous) << "pos " << row.pos;
    }
}

TEST(TextBoundaries, LineAtIncludesBreak)
{
    EXPECT_EQ(TextBoundaries::lineAt(kText, 3), (TextRange{0, 15}));
    EXPECT_EQ(TextBoundaries::lineAt(kText, 14), (TextRange{0, 15}));
    EXPECT_EQ(TextBoundaries::lineAt(kText, 15), (TextRange{15, 22}));
    EXPECT_EQ(TextBoundaries::lineAt(kText, 22), (TextRange{15, 22}));
}
