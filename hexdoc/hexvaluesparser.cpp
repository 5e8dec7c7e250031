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
    int pending = m_pendingDigit;
    for (std::size_t i = 0; i < size; ++i) {
        // Branch-free: digits and separators mix too irregularly for branch prediction.
        const int value = kDigitValues[std::uint8_t(data[i])];
        const bool isDigit = value >= 0;
        const bool completes = isDigit && pending >= 0;
        *dst = std::uint8_t((pending << 4) | value);
        dst += completes;
        pending = isDigit && !completes ? value : -1;
    }
    m_pendingDigit = pending;
    out.resize(std::size_t(dst - out.data()));
}

void HexValuesParser::finish()
{
    m_pendingDigit = -1;
}
