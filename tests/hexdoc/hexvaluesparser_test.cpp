#include "hexdoc/hexvaluesparser.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

namespace {

ByteBuffer parseWhole(const std::string& text)
{
    HexValuesParser parser;
    ByteBuffer out;
    parser.feed(text.data(), text.size(), out);
    parser.finish();
    return out;
}

bool isHexDigit(char ch)
{
    return (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'F') || (ch >= 'a' && ch <= 'f');
}

/// The import rule read one character at a time, pairs read back with "%X".
ByteBuffer naiveImport(const std::string& text)
{
    ByteBuffer out;
    std::string pending;
    for (char ch : text) {
        if (!isHexDigit(ch)) {
            pending.clear();
        } else if (pending.empty()) {
            pending = ch;
        } else {
            unsigned value = 0;
            std::sscanf((pending + ch).c_str(), "%X", &value);
            out.push_back(std::uint8_t(value));
            pending.clear();
        }
    }
    return out;
}

TEST(HexValuesParser, ExampleTexts)
{
    struct Row {
        const char* name;
        std::string text;
        ByteBuffer expected;
    };
    const Row rows[] = {
        {"pairs separated by spaces", "41 42 43", {0x41, 0x42, 0x43}},
        {"pairs run together", "414243", {0x41, 0x42, 0x43}},
        {"C notation with a lone final digit", "0x41, 0x4", {0x41}},
        {"digit, space, digit", "4 1", {}},
        {"no hexadecimal digit", "xyz, ;:\r\n\tGQ", {}},
        {"empty text", "", {}},
        {"lower and upper case", "aB cD Ef", {0xAB, 0xCD, 0xEF}},
        {"odd run keeps whole pairs", "12345", {0x12, 0x34}},
        {"lines", "00 FF\r\n7f 80\n", {0x00, 0xFF, 0x7F, 0x80}},
        {"a non-hex letter ends a pending digit", "1G23", {0x23}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(parseWhole(row.text), row.expected) << row.name;
}

TEST(HexValuesParser, EveryByteValueInBothCases)
{
    std::string upper;
    std::string lower;
    ByteBuffer expected;
    for (int value = 0; value < 256; ++value) {
        char pair[8];
        std::snprintf(pair, sizeof pair, "%02X,", value);
        upper += pair;
        std::snprintf(pair, sizeof pair, "%02x\n", value);
        lower += pair;
        expected.push_back(std::uint8_t(value));
    }
    EXPECT_EQ(parseWhole(upper), expected);
    EXPECT_EQ(parseWhole(lower), expected);
}

TEST(HexValuesParser, EverySeparatorDropsAPendingDigit)
{
    for (int separator = 0; separator < 256; ++separator) {
        if (isHexDigit(char(separator)))
            continue;
        const std::string text = std::string("4") + char(separator) + "1A";
        EXPECT_EQ(parseWhole(text), ByteBuffer{0x1A}) << "separator " << separator;
    }
}

TEST(HexValuesParser, PendingDigitIsDroppedAtFinish)
{
    HexValuesParser parser;
    ByteBuffer out;
    parser.feed("ABC", 3, out);
    parser.finish();
    EXPECT_EQ(out, ByteBuffer{0xAB});
    parser.feed("DE", 2, out);
    parser.finish();
    EXPECT_EQ(out, (ByteBuffer{0xAB, 0xDE}));
}

TEST(HexValuesParser, PairSplitAcrossChunks)
{
    HexValuesParser parser;
    ByteBuffer out{0x99};
    parser.feed("4", 1, out);
    EXPECT_EQ(out, ByteBuffer{0x99});
    parser.feed("1 5", 3, out);
    parser.feed("", 0, out);
    parser.feed("6", 1, out);
    parser.finish();
    EXPECT_EQ(out, (ByteBuffer{0x99, 0x41, 0x56}));
}

TEST(HexValuesParser, RandomChunksMatchTheNaiveRule)
{
    const std::string alphabet = "0123456789abcdefABCDEF \n,xG";
    std::mt19937 random(77);
    for (int round = 0; round < 200; ++round) {
        std::string text(random() % 400, ' ');
        for (char& ch : text)
            ch = alphabet[random() % alphabet.size()];
        HexValuesParser parser;
        ByteBuffer out;
        for (std::size_t pos = 0; pos < text.size();) {
            const std::size_t size = std::min<std::size_t>(random() % 5, text.size() - pos);
            parser.feed(text.data() + pos, size, out);
            pos += size;
        }
        parser.finish();
        ASSERT_EQ(out, naiveImport(text)) << "text: " << text;
    }
}

}  // namespace
