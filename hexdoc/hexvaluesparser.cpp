#include "hexdoc/hexvaluesparser.h"

#include <array>
#include <cstdint>

namespace {

/// Value of each hexadecimal digit character, -1 for every other byte.
constexpr std::array<std::int8_t, 256> makeDigitValues()
{
    std::array<std::int8_t, 256> values{};
    values.fill(-1);
    for (int digit = 0; digit < 10; ++digit)
        values['0' + digit] = std::int8_t(digit);
    for (int digit = 0; digit < 6; ++digit) {
        values['A' + digit] = std::int8_t(10 + digit);
        values['a' + digit] = std::int8_t(10 + digit);
    }
    return values;
}

constexpr std::array<std::int8_t, 256> kDigitValues = makeDigitValues();

}  // namespace

void HexValuesParser::feed(const char* data, std::size_t size, ByteBuffer& out)
{
    // At most one byte per two characters; room for it first, trimmed after.
    const std::size_t oldSize = out.size();
    out.resize(oldSize + size / 2 + 1);
    std::uint8_t* dst = out.data() + oldSize;
    // Branch-free: digits and separators mix too irregularly for branch
    // prediction. The only state carried from character to character is
    // whether a lone digit is pending (the run of digits so far is odd); the
    // pair itself is the previous character and the current one.
    int previous = m_pendingDigit;
    unsigned pending = m_pendingDigit >= 0 ? 1 : 0;
    for (std::size_t i = 0; i < size; ++i) {
        const int value = kDigitValues[std::uint8_t(data[i])];
        const unsigned isDigit = value >= 0 ? 1 : 0;
        pending = (pending ^ 1) & isDigit;
        *dst = std::uint8_t((unsigned(previous) << 4) | unsigned(value));
        dst += isDigit & (pending ^ 1);
        previous = value;
    }
    m_pendingDigit = pending ? previous : -1;
    out.resize(std::size_t(dst - out.data()));
}

void HexValuesParser::finish()
{
    m_pendingDigit = -1;
}
