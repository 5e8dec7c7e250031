#include "hexdoc/hexvaluesparser.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <random>
#include <string>

namespace {

/// The import rule read one character at a time, pairs read back with "%X".
ByteBuffer naiveImport(const std::string& text)
{
    ByteBuffer out;
    std::string pending;
    for (const char ch : text) {
        if (!std::isxdigit(static_cast<unsigned char>(ch))) {
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
        for (std::size_t pos = 0; pos < text.size();) {
            const std::size_t size = std::min<std::size_t>(random() % 5, text.size() - pos);
            parser.feed(text.data() + pos, size, out);
            pos += size;
        }
        parser.finish();
        ByteBuffer expected{0x99};
        const ByteBuffer imported = naiveImport(text);
        expected.insert(expected.end(), imported.begin(), imported.end());
        ASSERT_EQ(out, expected) << "text: " << text;
    }
}

}  // namespace
