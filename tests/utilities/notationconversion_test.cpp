#include "utilities/notationconversion.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Convert = NotationConversion (*)(QStringView);
constexpr Convert kHex = NotationConversion::fromHex;
constexpr Convert kDecimal = NotationConversion::fromDecimal;

struct Row {
    Convert convert;
    const char* input;
    const char* number;
    const char* binary;
};

void checkRows(std::initializer_list<Row> rows)
{
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.convert == kHex ? "hex" : "decimal") + " input \"" + row.input + "\"");
        const NotationConversion result = row.convert(QString::fromLatin1(row.input));
        EXPECT_EQ(result.number.toStdString(), row.number);
        EXPECT_EQ(result.binary.toStdString(), row.binary);
    }
}

}  // namespace

TEST(NotationConversion, EachInputGivesTheOtherTwoNotations)
{
    // The common cases are typed into the window in its widget test; these are the limits.
    checkRows({
        // Hex: decimal of the 32 bits read as signed; one group per digit typed, leading zeros too.
        {kHex, "0", "0", "0000 "},
        {kHex, "00000001", "1", "0000 0000 0000 0000 0000 0000 0000 0001 "},
        {kHex, "7FFFFFFF", "2147483647", "0111 1111 1111 1111 1111 1111 1111 1111 "},
        {kHex, "80000000", "-2147483648", "1000 0000 0000 0000 0000 0000 0000 0000 "},
        {kHex, "a5C", "2652", "1010 0101 1100 "},
        {kHex, " 1A\t", "26", "0001 1010 "},
        // Decimal: upper-case hex without leading zeros, and the groups of that hex.
        {kDecimal, "00016", "10", "0001 0000 "},
        {kDecimal, "99999999", "5F5E0FF", "0101 1111 0101 1110 0000 1111 1111 "},
        {kDecimal, " 42 ", "2A", "0010 1010 "},
    });
}

TEST(NotationConversion, AnythingButDigitsOfTheBaseClearsBothOutputs)
{
    for (const Convert convert : {kHex, kDecimal})
        for (const char* input : {"", "   ", "12 34", "0x1F", "-5", "+5", "1G"})
            checkRows({{convert, input, "", ""}});
    checkRows({{kDecimal, "FF", "", ""}});
}

TEST(NotationConversion, NumbersBeyondThirtyTwoBitsClearRatherThanWrap)
{
    checkRows({{kHex, "123456789", "", ""}, {kDecimal, "4294967296", "", ""}});
}
