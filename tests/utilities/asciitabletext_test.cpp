#include "utilities/asciitabletext.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using Range = AsciiTableText::Range;

const std::vector<std::string> kControlLines = {
    "0000 0000     000     00     NULL",      "0000 0001     001     01     SOH",
    "0000 0010     002     02     STX",       "0000 0011     003     03     ETX",
    "0000 0100     004     04     EOT",       "0000 0101     005     05     ENQ",
    "0000 0110     006     06     ACK",       "0000 0111     007     07     BEL",
    "0000 1000     008     08     Backspace", "0000 1001     009     09     HT",
    "0000 1010     010     0A     LF",        "0000 1011     011     0B     VT",
    "0000 1100     012     0C     FF",        "0000 1101     013     0D     CR",
    "0000 1110     014     0E     SO",        "0000 1111     015     0F     SI",
    "0001 0000     016     10     DLE",       "0001 0001     017     11     DC1",
    "0001 0010     018     12     DC2",       "0001 0011     019     13     DC3",
    "0001 0100     020     14     DC4",       "0001 0101     021     15     NAK",
    "0001 0110     022     16     SYN",       "0001 0111     023     17     ETB",
    "0001 1000     024     18     CAN",       "0001 1001     025     19     EM",
    "0001 1010     026     1A     SUB",       "0001 1011     027     1B     ESC",
    "0001 1100     028     1C     FS",        "0001 1101     029     1D     GS",
    "0001 1110     030     1E     RS",        "0001 1111     031     1F     US",
};

/// The name column: the character itself, or a word for those that show nothing.
std::string nameOf(int code)
{
    // Each name made once, not a one-character string overwritten: GCC 12 at
    // -O3 warns (maybe-uninitialized) about assigning over the short string.
    switch (code) {
    case 32: return "space";
    case 34: return "\" ";
    case 127: return "delete";
    default: return std::string(1, char(code));
    }
}

/// A standard-range line the slow way: bits one by one, printf for the numbers.
std::string standardLine(int code)
{
    std::string bits;
    for (int bit = 7; bit >= 0; --bit)
        bits += (code >> bit & 1) ? (bit == 4 ? "1 " : "1") : (bit == 4 ? "0 " : "0");
    const std::string name = nameOf(code);
    char numbers[32];
    std::snprintf(numbers, sizeof numbers, "     %03d     %02X     ", code, code);
    return bits + numbers + name;
}

/// Lines joined as the table shows them: a leading line break, each line
/// indented by two spaces, then the range's own ending.
std::string table(const std::vector<std::string>& lines, const std::string& ending)
{
    std::string text;
    for (const std::string& line : lines)
        text += "\n  " + line;
    return text + ending;
}

}  // namespace

TEST(AsciiTableText, HeadersAreTheColumnCaptions)
{
    EXPECT_EQ(AsciiTableText::build(Range::Control).header.toStdString(), "  Binary        Dec     Hex    Control");
    EXPECT_EQ(AsciiTableText::build(Range::Standard).header.toStdString(),
              "  Binary        Dec     Hex    Character");
}

TEST(AsciiTableText, ControlTableNamesEveryCodeAndEndsOnOneSpace)
{
    EXPECT_EQ(AsciiTableText::build(Range::Control).body.toStdString(), table(kControlLines, "\n "));
}

TEST(AsciiTableText, StandardTableShowsEveryCharacterAndEndsOnALineBreak)
{
    std::vector<std::string> lines;
    for (int code = 32; code <= 127; ++code)
        lines.push_back(standardLine(code));
    EXPECT_EQ(AsciiTableText::build(Range::Standard).body.toStdString(), table(lines, "\n"));
}

TEST(AsciiTableText, SpecialCharacterLinesAsUsersKnowThem)
{
    const std::string body = AsciiTableText::build(Range::Standard).body.toStdString();
    for (const char* line : {"\n  0010 0000     032     20     space\n", "\n  0010 0010     034     22     \" \n",
                             "\n  0100 0001     065     41     A\n", "\n  0111 1110     126     7E     ~\n",
                             "\n  0111 1111     127     7F     delete\n"}) {
        SCOPED_TRACE(line);
        EXPECT_NE(body.find(line), std::string::npos);
    }
}
