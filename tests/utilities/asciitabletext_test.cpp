#include "utilities/asciitabletext.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using Range = AsciiTableText::Range;

/// The columns before the name, the slow way: bits one by one, printf for the numbers.
std::string numbersOf(int code)
{
    std::string bits;
    for (int bit = 7; bit >= 0; --bit)
        bits += std::string(1, (code >> bit & 1) ? '1' : '0') + (bit == 4 ? " " : "");
    char numbers[32];
    std::snprintf(numbers, sizeof numbers, "     %03d     %02X     ", code, code);
    return bits + numbers;
}

/// The body's lines: it opens with a line break and indents each line by two spaces.
std::vector<std::string> linesOf(const std::string& body)
{
    std::vector<std::string> lines;
    for (std::size_t at = body.find("\n  "); at != std::string::npos; at = body.find("\n  ", at + 1)) {
        const std::size_t end = body.find('\n', at + 1);
        lines.push_back(body.substr(at + 3, end == std::string::npos ? std::string::npos : end - at - 3));
    }
    return lines;
}

}  // namespace

TEST(AsciiTableText, HeadersAreTheColumnCaptions)
{
    EXPECT_EQ(AsciiTableText::build(Range::Control).header.toStdString(), "  Binary        Dec     Hex    Control");
    EXPECT_EQ(AsciiTableText::build(Range::Standard).header.toStdString(),
              "  Binary        Dec     Hex    Character");
}

TEST(AsciiTableText, EveryCodeHasItsLineInOrder)
{
    struct Row {
        Range range;
        int first;
        int count;
        const char* ending;
    };
    for (const Row& row : {Row{Range::Control, 0, 32, "\n "}, Row{Range::Standard, 32, 96, "\n"}}) {
        const std::string body = AsciiTableText::build(row.range).body.toStdString();
        SCOPED_TRACE(row.first);
        EXPECT_EQ(body.substr(body.size() - std::string(row.ending).size()), row.ending);
        const std::vector<std::string> lines = linesOf(body);
        ASSERT_EQ(lines.size(), std::size_t(row.count));
        for (int code = row.first; code < row.first + row.count; ++code) {
            const std::string& line = lines[std::size_t(code - row.first)];
            const std::string numbers = numbersOf(code);
            EXPECT_EQ(line.substr(0, numbers.size()), numbers) << "code " << code;
            EXPECT_GT(line.size(), numbers.size()) << "code " << code << " has no name";
            // Printable characters name themselves, the few exceptions aside.
            if (code > 34 && code < 127) {
                EXPECT_EQ(line.substr(numbers.size()), std::string(1, char(code))) << "code " << code;
            }
        }
    }
}

TEST(AsciiTableText, NamesAsUsersKnowThem)
{
    const std::string control = AsciiTableText::build(Range::Control).body.toStdString();
    const std::string standard = AsciiTableText::build(Range::Standard).body.toStdString();
    for (const char* line : {"\n  0000 0000     000     00     NULL\n", "\n  0000 1000     008     08     Backspace\n",
                             "\n  0000 1010     010     0A     LF\n", "\n  0001 1011     027     1B     ESC\n",
                             "\n  0001 1111     031     1F     US\n"})
        EXPECT_NE(control.find(line), std::string::npos) << line;
    for (const char* line : {"\n  0010 0000     032     20     space\n", "\n  0010 0001     033     21     !\n",
                             "\n  0010 0010     034     22     \" \n", "\n  0111 1111     127     7F     delete\n"})
        EXPECT_NE(standard.find(line), std::string::npos) << line;
}
